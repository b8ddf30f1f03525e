instance DIA_W_A (C_INFO)
{
	npc	= VLK_400_Wirt;
	condition	= DIA_W_A_Condition;
	information	= DIA_W_A_Info;
};

func int DIA_W_A_Condition ()
{
	return TRUE;
};

func void DIA_W_A_Info ()
{
	x = 1;
};
instance DIA_W_B (C_INFO) { npc = VLK_400_Wirt; condition = DIA_W_A_Condition;
	information = DIA_W_A_Info; };
instance DIA_W_C (C_INFO)
{
	npc	= VLK_400_Wirt;
	condition	= DIA_W_C_Condition;
	information	= DIA_W_C_Info;
};

func int DIA_W_C_Condition ()
{
	return 0;
};

func void DIA_W_C_Info ()
{
	DIA_W_A_Info ();
	if (DIA_W_A_Condition ()) { x = 1; };
	Npc_KnowsInfo (hero, DIA_W_A);
	W_Shout ();
};
instance DIA_W_D (C_INFO) { npc = VLK_400_Wirt; condition = DIA_W_C_Condition;
	information = B_Extern; };
instance DIA_W_E (C_INFO) { npc = VLK_400_Wirt; condition = C_Extern;
	information = B_Extern; };
func void W_Shout () { AI_Output (self, other, "S"); //Raus!
};
func void W_Later () { Info_ClearChoices (DIA_W_B); AI_Output (self, other, "L");
};
func void W_Alone () { AI_Output (self, other, "S"); //Allein
};
