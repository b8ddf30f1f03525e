instance DIA_Wirt_A (C_INFO)
{
	npc	= VLK_400_Wirt;
	condition	= DIA_Wirt_A_Condition;
	information	= DIA_Wirt_A_Info;
};

func int DIA_Wirt_A_Condition ()
{
	return 1;
};

func void DIA_Wirt_A_Info ()
{
	x = 1;
};
instance DIA_Wirt_B (C_INFO)
{
	npc	= VLK_400_Wirt;
	condition	= DIA_Wirt_B_Condition;
	information	= DIA_Wirt_B_Info;
};

func int DIA_Wirt_B_Condition ()
{
	if (Npc_KnowsInfo (hero, // erst A
		DIA_Wirt_A))
	&& (Wld_IsTime (8, 0, 20, 0))
	{
		return TRUE;
	};
};

func void DIA_Wirt_B_Info ()
{
	x = 1;
};
instance DIA_Wirt_C (C_INFO)
{
	npc	= VLK_400_Wirt;
	condition	= DIA_Wirt_C_Condition;
	information	= DIA_Wirt_C_Info;
};

func int DIA_Wirt_C_Condition ()
{
	return 0;
};

func void DIA_Wirt_C_Info ()
{
	x = 1;
};
instance DIA_Wirt_D (C_INFO)
{
	npc	= VLK_400_Wirt;
	condition	= DIA_Wirt_D_Condition;
	information	= DIA_Wirt_D_Info;
};

func int DIA_Wirt_D_Condition ()
{
	if (x) { return TRUE; } else { return FALSE; };
};

func void DIA_Wirt_D_Info ()
{
	x = 1;
};
