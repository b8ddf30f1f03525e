instance DIA_Wirt_Hallo (C_INFO)
{
	npc	= VLK_400_Wirt;
	condition	= DIA_Wirt_Hallo_Condition;
	information	= DIA_Wirt_Hallo_Info;
	description = "Hallo";
};

func int DIA_Wirt_Hallo_Condition ()
{
	return TRUE;
};

func void DIA_Wirt_Hallo_Info ()
{
	Info_ClearChoices (DIA_Wirt_Hallo);
	Info_AddChoice (DIA_Wirt_Hallo, DIALOG_BACK, DIA_Wirt_Hallo_Back);
	Info_AddChoice (DIA_Wirt_Hallo, "Bier!", DIA_Wirt_Hallo_Bier); // kalt
};
func void DIA_Wirt_Hallo_Back ()
{
	Info_ClearChoices (DIA_Wirt_Hallo);
};
func void DIA_Wirt_Hallo_Bier ()
{
	Info_AddChoice (DIA_Wirt_Hallo, "Noch eins!", DIA_Wirt_Hallo_Bier);
	Info_AddChoice (DIA_Wirt_Hallo, "Was anderes", DIA_Wirt_Hallo_Back);
	Info_ClearChoices (DIA_Wirt_Other);
};
instance DIA_Wirt_Other (C_INFO)
{
	npc	= VLK_400_Wirt;
	condition	= DIA_Wirt_Other_Condition;
	information	= DIA_Wirt_Other_Info;
};

func int DIA_Wirt_Other_Condition ()
{
	return TRUE;
};

func void DIA_Wirt_Other_Info ()
{
	x = 1;
};
