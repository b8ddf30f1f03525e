//****************************************
//   Handel
//****************************************

instance DIA_KOCH_HANDEL (C_INFO)
{
	npc			= VLK_2_Koch;
	nr			= 10;
	condition	= DIA_KOCH_HANDEL_condition;
	information	= DIA_KOCH_HANDEL_info;
	permanent	= TRUE;
	trade		= TRUE;
	description	= "Zeig mal";
};

FUNC int DIA_KOCH_HANDEL_condition()
{
	if (Npc_IsInState (self, ZS_Talk))
	{
		return TRUE;
	};
};

FUNC void DIA_KOCH_HANDEL_info()
{
	Bekannt_DIA_KOCH_HANDEL = TRUE;
	
	AI_Output (self, other, "DIA_KOCH_HANDEL_00"); //Hier.
	
	B_GiveTradeInv (self);
};
	
