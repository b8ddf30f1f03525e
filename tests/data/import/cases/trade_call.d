instance DIA_Wirt_Handel (C_INFO)
{
	npc	= VLK_400_Wirt;
	condition	= DIA_Wirt_Handel_Condition;
	information	= DIA_Wirt_Handel_Info;
	trade = TRUE;
};

func int DIA_Wirt_Handel_Condition ()
{
	return TRUE;
};

func void DIA_Wirt_Handel_Info ()
{
	AI_Output (other, self, "X_15_00"); //Kauf
	B_GiveTradeInv (self); /* Ware */ // auffüllen
	x = 2;
};
instance DIA_Wirt_Nur (C_INFO)
{
	npc	= VLK_400_Wirt;
	condition	= DIA_Wirt_Nur_Condition;
	information	= DIA_Wirt_Nur_Info;
};

func int DIA_Wirt_Nur_Condition ()
{
	return TRUE;
};

func void DIA_Wirt_Nur_Info ()
{
	AI_Output (other, self, "X_15_00"); //Kauf
	B_GiveTradeInv (self); /* Ware */ // auffüllen
	x = 2;
};
func void B_Restock ()
{
	B_GiveTradeInv (self);
};
