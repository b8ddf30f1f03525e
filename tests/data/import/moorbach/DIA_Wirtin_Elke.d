// ************************************************************
//	Elke, Wirtin im "Nassen Stiefel"
// ************************************************************

instance DIA_Elke_EXIT (C_INFO)
{
	npc			= VLK_7005_Elke;
	nr			= 999;
	condition	= DIA_Elke_EXIT_Condition;
	information	= DIA_Elke_EXIT_Info;
	permanent	= TRUE;
	description	= DIALOG_ENDE;
};

func int DIA_Elke_EXIT_Condition ()
{
	return TRUE;
};

func void DIA_Elke_EXIT_Info ()
{
	AI_StopProcessInfos (self);
};

// ------------------------------------------------------------
instance DIA_Elke_Hallo (C_INFO)
{
	npc			= VLK_7005_Elke;
	nr			= 1;
	condition	= DIA_Elke_Hallo_Condition;
	information	= DIA_Elke_Hallo_Info;
	description	= "Hallo, Wirtin.";
};

func int DIA_Elke_Hallo_Condition ()
{
	return TRUE;
};

func void DIA_Elke_Hallo_Info ()
{
	AI_Output (other, self, "DIA_Elke_Hallo_15_00"); //Hallo, Wirtin.
	AI_Output (self, other, "DIA_Elke_Hallo_16_01"); //Willkommen im Nassen Stiefel. Setz dich, die Suppe ist gleich fertig.
};

// ------------------------------------------------------------
instance DIA_Elke_Handel (C_INFO)
{
	npc			= VLK_7005_Elke;
	nr			= 10;
	condition	= DIA_Elke_Handel_Condition;
	information	= DIA_Elke_Handel_Info;
	permanent	= TRUE;
	trade		= TRUE;
	description	= DIALOG_TRADE;
};

func int DIA_Elke_Handel_Condition ()
{
	if (Npc_KnowsInfo (other, DIA_Elke_Hallo))
	{
		return TRUE;
	};
};

func void DIA_Elke_Handel_Info ()
{
	AI_Output (other, self, "DIA_Elke_Handel_15_00"); //Was hast du anzubieten?
	B_GiveTradeInv (self);
	if (MIS_Jorn_Netz == LOG_RUNNING)
	&& (Elke_GarnVerkauft == FALSE)
	{
		CreateInvItems (self, ItMi_Garn, 1);
		Elke_GarnVerkauft = TRUE;
	};
};

// ------------------------------------------------------------
instance DIA_Elke_Suppe (C_INFO)
{
	npc			= VLK_7005_Elke;
	nr			= 2;
	condition	= DIA_Elke_Suppe_Condition;
	information	= DIA_Elke_Suppe_Info;
	permanent	= TRUE;
	description	= "Was für eine Suppe ist das?";
};

func int DIA_Elke_Suppe_Condition ()
{
	if (Npc_KnowsInfo (other, DIA_Elke_Hallo))
	{
		return TRUE;
	};
};

func void DIA_Elke_Suppe_Info ()
{
	AI_Output (other, self, "DIA_Elke_Suppe_15_00"); //Was für eine Suppe ist das?
	AI_Output (self, other, "DIA_Elke_Suppe_16_01"); //Aal mit Rüben. Jorn bringt mir die Aale.
	if (Elke_Suppe_Gegeben < 3)
	{
		CreateInvItems (self, ItFo_FishSoup, 1);
		B_GiveInvItems (self, other, ItFo_FishSoup, 1);
		Elke_Suppe_Gegeben += 1;
	};
};

// ------------------------------------------------------------
instance DIA_Elke_Zimmer (C_INFO)
{
	npc			= VLK_7005_Elke;
	nr			= 3;
	condition	= DIA_Elke_Zimmer_Condition;
	information	= DIA_Elke_Zimmer_Info;
	description	= "Hast du ein Zimmer frei?";
};

func int DIA_Elke_Zimmer_Condition ()
{
	if (Npc_KnowsInfo (other, DIA_Elke_Hallo))
	&& (Elke_Zimmer_Gemietet == FALSE)
	{
		return TRUE;
	};
};

func void DIA_Elke_Zimmer_Info ()
{
	AI_Output (other, self, "DIA_Elke_Zimmer_15_00"); //Hast du ein Zimmer frei?
	AI_Output (self, other, "DIA_Elke_Zimmer_16_01"); //Oben unterm Dach. Zehn Gold die Nacht.
	Info_ClearChoices (DIA_Elke_Zimmer);
	Info_AddChoice (DIA_Elke_Zimmer, "Zu teuer.", DIA_Elke_Zimmer_Nein);
	Info_AddChoice (DIA_Elke_Zimmer, "Ich nehme es.", DIA_Elke_Zimmer_Ja);
};

func void DIA_Elke_Zimmer_Ja ()
{
	AI_Output (other, self, "DIA_Elke_Zimmer_Ja_15_00"); //Ich nehme es.
	if (B_GiveInvItems (other, self, ItMi_Gold, 10))
	{
		AI_Output (self, other, "DIA_Elke_Zimmer_Ja_16_01"); //Die Treppe hoch, zweite Tür.
		Elke_Zimmer_Gemietet = TRUE;
	}
	else
	{
		AI_Output (self, other, "DIA_Elke_Zimmer_Ja_16_02"); //Ohne Gold kein Bett.
	};
	Info_ClearChoices (DIA_Elke_Zimmer);
};

func void DIA_Elke_Zimmer_Nein ()
{
	AI_Output (other, self, "DIA_Elke_Zimmer_Nein_15_00"); //Zu teuer.
	AI_Output (self, other, "DIA_Elke_Zimmer_Nein_16_01"); //Dann schlaf draußen bei den Mücken.
	Info_ClearChoices (DIA_Elke_Zimmer);
};

// ------------------------------------------------------------
instance DIA_Elke_Geruechte (C_INFO)
{
	npc			= VLK_7005_Elke;
	nr			= 4;
	condition	= DIA_Elke_Geruechte_Condition;
	information	= DIA_Elke_Geruechte_Info;
	permanent	= TRUE;
	description	= "Gibt es Neuigkeiten?";
};

func int DIA_Elke_Geruechte_Condition ()
{
	if (Npc_KnowsInfo (other, DIA_Elke_Hallo))
	{
		return TRUE;
	};
};

func void DIA_Elke_Geruechte_Info ()
{
	var int zufall;
	AI_Output (other, self, "DIA_Elke_Geruechte_15_00"); //Gibt es Neuigkeiten?
	zufall = Hlp_Random (3);
	if (zufall == 0)
	{
		AI_Output (self, other, "DIA_Elke_Geruechte_16_01"); //Bruno nimmt Zoll für die Brücke. Der Bürgermeister weiß nichts davon.
	}
	else if (zufall == 1)
	{
		AI_Output (self, other, "DIA_Elke_Geruechte_16_02"); //In der alten Mine soll es spuken.
	}
	else
	{
		AI_Output (self, other, "DIA_Elke_Geruechte_16_03"); //Nichts, was dich angeht.
	};
	if (Npc_KnowsInfo (other, DIA_Jorn_Geschichte)) { AI_Output (self, other, "DIA_Elke_Geruechte_16_04"); //Und glaub Jorn kein Wort über den Aal.
	}
};
