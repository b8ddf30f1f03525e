// Variables of Hilda's trade
var int Hilda_Angry;
var int Hilda_TradeCount;
const int Hilda_MaxTrades = 3;

// ----- Hallo -----
instance DIA_Hilda_Hallo (C_INFO)
{
	npc			= BAU_951_Hilda;
	nr			= 1;
	condition	= DIA_Hilda_Hallo_Condition;
	information	= DIA_Hilda_Hallo_Info;
	important	= TRUE;
};

func int DIA_Hilda_Hallo_Condition ()
{
	if (Kapitel >= 2)
	{
		return TRUE;
	};
	return FALSE;
};

func void DIA_Hilda_Hallo_Info ()
{
	AI_Output (self, other, "DIA_Hilda_Hallo_17_00"); //Du bist neu hier, oder?
	B_HildaGreets (2);
	AI_StopProcessInfos (self); // she turns away
};

func void B_HildaGreets (var int amount)
{
	B_GiveInvItems (self, other, ItFo_Bread, amount);
};

// ----- Handel -----
instance DIA_Hilda_Trade (C_INFO)
{
	npc			= BAU_951_Hilda;
	nr			= 5;
	condition	= DIA_Hilda_Trade_Condition;
	information	= DIA_Hilda_Trade_Info;
	permanent	= 1;
	trade		= TRUE;
	description	= "Zeig mir deine Waren.";
};

func int DIA_Hilda_Trade_Condition ()
{
	if (Npc_KnowsInfo (other, /* she knows him */ DIA_Hilda_Hallo)
	&& (Hilda_Angry == FALSE))
	{
		return TRUE;
	};
};

func void DIA_Hilda_Trade_Info ()
{
	AI_Output (other, self, "DIA_Hilda_Trade_15_00"); //Zeig mir deine Waren.
	B_GiveTradeInv (self); // restock
	Hilda_TradeCount = Hilda_TradeCount + 1;
};

// Called by a trigger; not an option of any dialog.
func void Hilda_Shout ()
{
	AI_Output (self, other, "Hilda_Shout_17_00"); //Raus aus meinem Haus!
};
