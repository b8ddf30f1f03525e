const int FLAG_B = 1 << 1;
instance DIA_Wirt_Lehre (C_INFO)
{
	npc	= VLK_400_Wirt;
	condition	= DIA_Wirt_Lehre_Condition;
	information	= DIA_Wirt_Lehre_Info;
	description = B_BuildLearnString ("Schleichen", // Kosten
		B_GetLearnCostTalent (other, NPC_TALENT_SNEAK, 1));
};

func int DIA_Wirt_Lehre_Condition ()
{
	if ((Wirt_Flags >> 1) & 1) { return TRUE; };
};

func int DIA_Wirt_Lehre_Info ()
{
	AI_Output (other, self, "X"); //Lehr mich
	if (x) { return TRUE; };
	return B_Teach (other) + 1;
};
instance DIA_Wirt_Frage (C_INFO)
{
	npc	= VLK_400_Wirt;
	condition	= DIA_Wirt_Frage_Condition;
	information	= DIA_Wirt_Frage_Info;
	description = "Frage";
};

func int DIA_Wirt_Frage_Condition ()
{
	return TRUE;
};

func void DIA_Wirt_Frage_Info ()
{
	Info_ClearChoices (DIA_Wirt_Frage);
	Info_AddChoice (DIA_Wirt_Frage, "Lehr mich.", DIA_Wirt_Lehre_Info);
	Info_AddChoice (DIA_Wirt_Frage, "Zahl", B_Param);
};
func void B_Param (var int a) { x = a; };
