instance DIA_Wirt_Hallo (C_INFO)
{
	npc			= VLK_1_Wirt;
	nr			= 10;
	condition	= DIA_Wirt_Hallo_condition;
	information	= DIA_Wirt_Hallo_Rede;
	description	= "";
};

FUNC int DIA_Wirt_Hallo_condition()
{
	return TRUE;
};

FUNC void DIA_Wirt_Hallo_Rede()
{
	AI_Output (other, self, "DIA_Wirt_Hallo_15_00"); //Hallo.
		AI_Output (other, self, "DIA_Wirt_Hallo_15_00"); //Hallo.
	AI_Output (self, other, "DIA_Wirt_Hallo_03"); //Neu.
	Info_AddChoice (DIA_Wirt_Hallo, "Ja bitte", DIA_Wirt_Hallo_Ja);
};
	
