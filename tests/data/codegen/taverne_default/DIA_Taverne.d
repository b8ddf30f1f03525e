//****************************************
//   Der Wirt begrüßt jeden, der seine 
//   Taverne betritt
//****************************************

instance DIA_WIRT_HALLO (C_INFO)
{
	npc			= VLK_420_Wirt;
	nr			= 1;
	condition	= DIA_WIRT_HALLO_condition;
	information	= DIA_WIRT_HALLO_info;
	important	= TRUE;
};

FUNC int DIA_WIRT_HALLO_condition()
{
	return TRUE;
};

FUNC void DIA_WIRT_HALLO_info()
{
	AI_Output (other, self, "DIA_WIRT_HALLO_00"); //Hallo, Wirt!
	AI_Output (self, other, "DIA_WIRT_HALLO_01"); //Willkommen in meiner Taverne, Fremder.
};
	
instance DIA_WIRT_ARBEIT (C_INFO)
{
	npc			= VLK_420_Wirt;
	nr			= 2;
	condition	= DIA_WIRT_ARBEIT_condition;
	information	= DIA_WIRT_ARBEIT_info;
	description	= "Hast du Arbeit für mich?";
};

FUNC int DIA_WIRT_ARBEIT_condition()
{
	if (Npc_KnowsInfo (hero, DIA_WIRT_HALLO))
	{
		return TRUE;
	};
};

FUNC void DIA_WIRT_ARBEIT_info()
{
	AI_Output (other, self, "DIA_WIRT_ARBEIT_00"); //Hast du Arbeit für mich?
	AI_Output (self, other, "DIA_WIRT_ARBEIT_01"); //Vielleicht. Kannst du kämpfen?
	Info_AddChoice (DIA_WIRT_ARBEIT, "Ja, ich kann kämpfen.", DIA_WIRT_ARBEIT_JA);
	Info_AddChoice (DIA_WIRT_ARBEIT, "Nein.", DIA_WIRT_ARBEIT_NEIN);
	Info_AddChoice (DIA_WIRT_ARBEIT, DIALOG_BACK, DIA_WIRT_ARBEIT_ZURUECK);
	Info_AddChoice (DIA_WIRT_ARBEIT, DIALOG_ENDE, DIA_WIRT_ENDE_Info);
};
	
FUNC void DIA_WIRT_ARBEIT_JA()
{
		AI_Output (other, self, "DIA_WIRT_ARBEIT_JA_00"); //Ja, ich kann kämpfen.
		AI_Output (self, other, "DIA_WIRT_ARBEIT_JA_01"); //Gut. Dann räum den Keller auf.
		Taverne_Bier = Taverne_Bier + 1;
		Info_ClearChoices (DIA_WIRT_ARBEIT);
		Info_AddChoice (DIA_WIRT_ARBEIT, "Wo ist der Keller?", DIA_WIRT_ARBEIT_JA_KELLER);
};
	
FUNC void DIA_WIRT_ARBEIT_JA_KELLER()
{
		AI_Output (other, self, "DIA_WIRT_ARBEIT_JA_KELLER_00"); //Wo ist der Keller?
		AI_Output (self, other, "DIA_WIRT_ARBEIT_JA_KELLER_01"); //Die Treppe runter. Und jetzt geh.
		AI_StopProcessInfos (self);
};
	
FUNC void DIA_WIRT_ARBEIT_NEIN()
{
		AI_Output (other, self, "DIA_WIRT_ARBEIT_NEIN_00"); //Nein.
		AI_Output (self, other, "DIA_WIRT_ARBEIT_NEIN_01"); //Dann eben nicht.
		Info_ClearChoices (DIA_WIRT_ARBEIT);
};
	
FUNC void DIA_WIRT_ARBEIT_ZURUECK()
{
		Info_ClearChoices (DIA_WIRT_ARBEIT);
};
	
instance DIA_WIRT_BIER (C_INFO)
{
	npc			= VLK_420_Wirt;
	nr			= 3;
	condition	= DIA_WIRT_BIER_condition;
	information	= DIA_WIRT_BIER_info;
	permanent	= TRUE;
	trade		= TRUE;
	description	= "Ein Bier, bitte!";
};

FUNC int DIA_WIRT_BIER_condition()
{
	return TRUE;
};

FUNC void DIA_WIRT_BIER_info()
{
	Bekannt_DIA_WIRT_BIER = TRUE;
	
	AI_Output (other, self, "DIA_WIRT_BIER_00"); //Ein Bier, bitte!
	AI_Output (self, other, "DIA_WIRT_BIER_01"); //Macht zehn Goldstücke.
	Taverne_Bier += 1;
	
	B_GiveTradeInv (self);
};
	
instance DIA_WIRT_ENDE (C_INFO)
{
	npc			= VLK_420_Wirt;
	nr			= 999;
	condition	= DIA_WIRT_ENDE_condition;
	information	= DIA_WIRT_ENDE_info;
	permanent	= TRUE;
	description	= DIALOG_ENDE;
};

FUNC int DIA_WIRT_ENDE_condition()
{
	return TRUE;
};

FUNC void DIA_WIRT_ENDE_info()
{
	AI_StopProcessInfos (self);
};
	
