instance DIA_Wirt_Hallo (C_INFO)
{
	npc	= VLK_400_Wirt;
	condition	= DIA_Wirt_Hallo_Condition;
	information	= DIA_Wirt_Hallo_Info;
	nr	= 4;
	permanent	= 2;
	important = FALSE;
	trade	= 0;
	description	= "Was gibt's?";
};

func int DIA_Wirt_Hallo_Condition ()
{
	return TRUE;
};

func void DIA_Wirt_Hallo_Info ()
{
	AI_Output (other, self, "X_15_00"); //Hallo!
};
instance DIA_Wirt_EXIT (C_INFO)
{
	npc	= VLK_400_Wirt;
	condition	= DIA_Wirt_EXIT_Condition;
	information	= DIA_Wirt_EXIT_Info;
	nr	= 999;
	important = TRUE;
	description	= DIALOG_ENDE;
};

func int DIA_Wirt_EXIT_Condition ()
{
	return TRUE;
};

func void DIA_Wirt_EXIT_Info ()
{
	AI_StopProcessInfos (self);
};
