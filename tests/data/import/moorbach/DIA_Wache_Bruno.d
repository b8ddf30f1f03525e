// ************************************************************
//	Bruno bewacht die Brücke nach Moorbach
// ************************************************************

instance DIA_Bruno_EXIT (C_INFO)
{
	npc			= MIL_7004_Bruno;
	nr			= 999;
	condition	= DIA_Bruno_EXIT_Condition;
	information	= DIA_Bruno_EXIT_Info;
	permanent	= TRUE;
	description	= DIALOG_ENDE;
};

func int DIA_Bruno_EXIT_Condition ()
{
	return TRUE;
};

func void DIA_Bruno_EXIT_Info ()
{
	AI_StopProcessInfos (self);
};

// ------------------------------------------------------------
instance DIA_Bruno_Halt (C_INFO)
{
	npc			= MIL_7004_Bruno;
	nr			= 1;
	condition	= DIA_Bruno_Halt_Condition;
	information	= DIA_Bruno_Halt_Info;
	important	= TRUE;
	permanent	= TRUE;
};

func int DIA_Bruno_Halt_Condition ()
{
	if (Npc_GetDistToWP (other, "MOOR_BRIDGE_01") < 500)
	&& (Bruno_Durchgelassen == FALSE)
	{
		return TRUE;
	};
};

func void DIA_Bruno_Halt_Info ()
{
	AI_Output (self, other, "DIA_Bruno_Halt_12_00"); //Halt! Keiner geht über die Brücke ohne Zoll.
	Bruno_Warnungen = Bruno_Warnungen + 1;
	Bruno_Warnungen == 3;
	Info_ClearChoices (DIA_Bruno_Halt);
	Info_AddChoice (DIA_Bruno_Halt, "Wie viel?", DIA_Bruno_Halt_Zoll);
	Info_AddChoice (DIA_Bruno_Halt, "Ich bin ein Freund von Grimbald.", DIA_Bruno_Halt_Grimbald);
	Info_AddChoice (DIA_Bruno_Halt, "Schon gut.", DIA_Bruno_EXIT_Info);
};

func void DIA_Bruno_Halt_Zoll ()
{
	AI_Output (other, self, "DIA_Bruno_Halt_Zoll_15_00"); //Wie viel?
	AI_Output (self, other, "DIA_Bruno_Halt_Zoll_12_01"); //Zwanzig Gold. Für Fremde.
	Info_ClearChoices (DIA_Bruno_Halt);
	if (Npc_HasItems (other, ItMi_Gold) >= 20)
	{
		Info_AddChoice (DIA_Bruno_Halt, "Hier, nimm.", DIA_Bruno_Halt_Zoll_Zahlen);
	};
	Info_AddChoice (DIA_Bruno_Halt, "So viel habe ich nicht.", DIA_Bruno_Halt_Zoll_Pleite);
};

func void DIA_Bruno_Halt_Zoll_Zahlen ()
{
	AI_Output (other, self, "DIA_Bruno_Halt_Zoll_Zahlen_15_00"); //Hier, nimm.
	B_GiveInvItems (other, self, ItMi_Gold, 20);
	AI_Output (self, other, "DIA_Bruno_Halt_Zoll_Zahlen_12_01"); //Danke. Geh nur.
	Bruno_Durchgelassen = TRUE;
	AI_StopProcessInfos (self);
};

func void DIA_Bruno_Halt_Zoll_Pleite ()
{
	AI_Output (other, self, "DIA_Bruno_Halt_Zoll_Pleite_15_00"); //So viel habe ich nicht.
	AI_Output (self, other, "DIA_Bruno_Halt_Zoll_Pleite_12_01"); //Dann bleibst du auf dieser Seite.
	AI_StopProcessInfos (self);
};

func void DIA_Bruno_Halt_Grimbald ()
{
	AI_Output (other, self, "DIA_Bruno_Halt_Grimbald_15_00"); //Ich bin ein Freund von Grimbald.
	if (MIS_Grimbald_Kohle == LOG_SUCCESS)
	{
		AI_Output (self, other, "DIA_Bruno_Halt_Grimbald_12_01"); //Du hast ihm die Kohle gebracht? Dann geh.
		Bruno_Durchgelassen = TRUE;
		AI_StopProcessInfos (self);
	}
	else
	{
		AI_Output (self, other, "DIA_Bruno_Halt_Grimbald_12_02"); //Das kann jeder sagen.
	}
};

// ------------------------------------------------------------
instance DIA_Bruno_Dienst (C_INFO)
{
	npc			= MIL_7004_Bruno;
	nr			= 2;
	condition	= DIA_Bruno_Dienst_Condition;
	information	= DIA_Bruno_Dienst_Info;
	permanent	= TRUE;
	description	= "Wie ist der Dienst?";
};

func int DIA_Bruno_Dienst_Condition ()
{
	if (Bruno_Durchgelassen == TRUE)
	{
		return TRUE;
	};
};

func void DIA_Bruno_Dienst_Info ()
{
	AI_Output (other, self, "DIA_Bruno_Dienst_15_00"); //Wie ist der Dienst?
	if (Wld_IsTime (20, 00, 06, 00))
	{
		AI_Output (self, other, "DIA_Bruno_Dienst_12_01"); //Nachts ist es kalt und still. Zu still.
	}
	else if (Npc_KnowsInfo (other, DIA_Tarek_Wolf))
	{
		AI_Output (self, other, "DIA_Bruno_Dienst_12_02"); //Seit die Wölfe weg sind, ist es ruhig.
	}
	else
	{
		AI_Output (self, other, "DIA_Bruno_Dienst_12_03"); //Langweilig. Aber es zahlt sich.
	};
	DIA_Bruno_Dienst.nr = DIA_Bruno_Halt.nr + 1;
};

// ------------------------------------------------------------
instance DIA_Bruno_Wirtin (C_INFO)
{
	npc			= MIL_7004_Bruno;
	nr			= 3;
	condition	= DIA_Bruno_Wirtin_Condition;
	information	= DIA_Bruno_Wirtin_Info;
	description	= "Kennst du die Wirtin?";
};

func int DIA_Bruno_Wirtin_Condition ()
{
	if (Npc_KnowsInfo (other, DIA_Elke_Hallo))
	{
		return TRUE;
	};
};

func void DIA_Bruno_Wirtin_Info ()
{
	AI_Output (other, self, "DIA_Bruno_Wirtin_15_00"); //Kennst du die Wirtin?
	AI_Output (self, other, "DIA_Bruno_Wirtin_12_01"); //Elke? Die beste Suppe diesseits des Moors.
	DIA_Elke_Suppe_Info ();
};
