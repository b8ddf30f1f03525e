// ************************************************************
//	Jorn, Fischer am Steg
// ************************************************************

instance DIA_Jorn_EXIT (C_INFO)
{
	npc			= BAU_7002_Jorn;
	nr			= 999;
	condition	= DIA_Jorn_EXIT_Condition;
	information	= DIA_Jorn_EXIT_Info;
	permanent	= TRUE;
	description	= DIALOG_ENDE;
};

func int DIA_Jorn_EXIT_Condition ()
{
	return TRUE;
};

func void DIA_Jorn_EXIT_Info ()
{
	AI_StopProcessInfos (self);
};

// Jorn spricht den Helden an, wenn er ihn zum ersten Mal sieht
instance DIA_Jorn_Hallo (C_INFO)
{
	npc			= BAU_7002_Jorn;
	nr			= 1;
	condition	= DIA_Jorn_Hallo_Condition;
	information	= DIA_Jorn_Hallo_Info;
	important	= TRUE;
};

func int DIA_Jorn_Hallo_Condition ()
{
	if (Wld_IsTime (06, 00, 20, 00))
	{
		return TRUE;
	};
};

func void DIA_Jorn_Hallo_Info ()
{
	AI_Output (self, other, "DIA_Jorn_Hallo_05_00"); //He, du! Du verscheuchst mir die Fische.
	AI_Output (other, self, "DIA_Jorn_Hallo_15_01"); //Entschuldige.
	if (Npc_KnowsInfo (other, DIA_Grimbald_Hallo))
	{
		AI_Output (self, other, "DIA_Jorn_Hallo_05_02"); //Riechst nach Kohle. Warst wohl beim alten Grimbald.
	}
	else if (hero.guild == GIL_MIL)
	{
		AI_Output (self, other, "DIA_Jorn_Hallo_05_03"); //Die Miliz. Auch das noch.
	}
	else
	{
		AI_Output (self, other, "DIA_Jorn_Hallo_05_04"); //Fremde sieht man hier selten.
	};
};

// ------------------------------------------------------------
instance DIA_Jorn_Fisch (C_INFO)
{
	npc			= BAU_7002_Jorn;
	nr			= 4;
	condition	= DIA_Jorn_Fisch_Condition;
	information	= DIA_Jorn_Fisch_Info;
	permanent	= TRUE;
	trade		= TRUE;
	description	= "Verkaufst du Fisch?";
};

func int DIA_Jorn_Fisch_Condition ()
{
	return TRUE;
};

func void DIA_Jorn_Fisch_Info ()
{
	AI_Output (other, self, "DIA_Jorn_Fisch_15_00"); //Verkaufst du Fisch?
	if (Wld_IsTime (06, 00, 12, 00)) {
		AI_Output (self, other, "DIA_Jorn_Fisch_05_01"); //Ganz frisch, heute Morgen gefangen.
	}
	B_GiveTradeInv (self);
};

// ------------------------------------------------------------
instance DIA_Jorn_Netz (C_INFO)
{
	npc			= BAU_7002_Jorn;
	nr			= 2;
	condition	= DIA_Jorn_Netz_Condition;
	information	= DIA_Jorn_Netz_Info;
	description	= "Du siehst besorgt aus.";
};

func int DIA_Jorn_Netz_Condition ()
{
	if (Npc_KnowsInfo (other, DIA_Jorn_Hallo))
	{
		return TRUE;
	};
};

func void DIA_Jorn_Netz_Info ()
{
	AI_Output (other, self, "DIA_Jorn_Netz_15_00"); //Du siehst besorgt aus.
	AI_Output (self, other, "DIA_Jorn_Netz_05_01"); //Mein Netz ist zerrissen. Ohne neues Garn fange ich nichts.
	AI_Output (self, other, "DIA_Jorn_Netz_05_02"); //Die Wirtin hat welches, aber sie gibt mir nichts mehr auf Pump.
	MIS_Jorn_Netz = LOG_RUNNING;
	Log_CreateTopic (TOPIC_JornNetz, LOG_MISSION);
	Log_SetTopicStatus (TOPIC_JornNetz, LOG_RUNNING);
	B_LogEntry (TOPIC_JornNetz, "Jorn braucht Garn für sein Netz. Elke, die Wirtin, hat welches.");
	Jorn_Garn_Gefragt == TRUE;
};

// ------------------------------------------------------------
instance DIA_Jorn_Garn (C_INFO)
{
	npc			= BAU_7002_Jorn;
	nr			= 3;
	condition	= DIA_Jorn_Garn_Condition;
	information	= DIA_Jorn_Garn_Info;
	description	= "Ich habe Garn für dich.";
};

func int DIA_Jorn_Garn_Condition ()
{
	if (MIS_Jorn_Netz == LOG_RUNNING)
	&& (Npc_HasItems (other, ItMi_Garn) > 0)
	{
		return TRUE;
	};
};

func void DIA_Jorn_Garn_Info ()
{
	AI_Output (other, self, "DIA_Jorn_Garn_15_00"); //Ich habe Garn für dich.
	B_GiveInvItems (other, self, ItMi_Garn, 1);
	AI_Output (self, other, "DIA_Jorn_Garn_05_01"); //Du bist ein Schatz! Nimm den Fisch hier als Dank.
	B_GiveInvItems (self, other, ItFo_Fish, 3);
	MIS_Jorn_Netz = LOG_SUCCESS;
	Log_SetTopicStatus (TOPIC_JornNetz, LOG_SUCCESS);
	B_GivePlayerXP (XP_JornNetz);
	Npc_ExchangeRoutine (self, "FISCHEN");
};

// ------------------------------------------------------------
instance DIA_Jorn_Geschichte (C_INFO)
{
	npc			= BAU_7002_Jorn;
	nr			= 5;
	condition	= DIA_Jorn_Geschichte_Condition;
	information	= DIA_Jorn_Geschichte_Info;
	permanent	= TRUE;
	description	= "Erzähl mir was.";
};

func int DIA_Jorn_Geschichte_Condition ()
{
	if (Npc_KnowsInfo (other, DIA_Jorn_Netz))
	{
		return TRUE;
	};
};

func void DIA_Jorn_Geschichte_Info ()
{
	AI_Output (other, self, "DIA_Jorn_Geschichte_15_00"); //Erzähl mir was.
	Info_ClearChoices (DIA_Jorn_Geschichte);
	Info_AddChoice (DIA_Jorn_Geschichte, DIALOG_BACK, DIA_Jorn_Geschichte_Back);
	Info_AddChoice (DIA_Jorn_Geschichte, "Was weißt du über den Schmied?", DIA_Grimbald_Hallo_Info);
	Info_AddChoice (DIA_Jorn_Geschichte, "Was war mit dem großen Aal?", DIA_Jorn_Geschichte_Aal);
};

func void DIA_Jorn_Geschichte_Back ()
{
	Info_ClearChoices (DIA_Jorn_Geschichte);
};

func void DIA_Jorn_Geschichte_Aal ()
{
	AI_Output (other, self, "DIA_Jorn_Geschichte_Aal_15_00"); //Was war mit dem großen Aal?
	AI_Output (self, other, "DIA_Jorn_Geschichte_Aal_05_01"); //Er war so lang wie das Boot. Hat das halbe Netz mitgenommen.
	AI_Output (self, other, "DIA_Jorn_Geschichte_Aal_05_02"); //Keiner glaubt mir das. Aber ich hab ihn gesehen!
	Jorn_Aal_Erzaehlt = Jorn_Aal_Erzaehlt + 1;
	Info_ClearChoices (DIA_Jorn_Geschichte);
};
