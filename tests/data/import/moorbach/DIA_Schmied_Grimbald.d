// ************************************************************
//	Grimbald, der Schmied von Moorbach
// ************************************************************

// ------------------------------------------------------------
//	EXIT
// ------------------------------------------------------------
instance DIA_Grimbald_EXIT (C_INFO)
{
	npc			= VLK_7001_Grimbald;
	nr			= 999;
	condition	= DIA_Grimbald_EXIT_Condition;
	information	= DIA_Grimbald_EXIT_Info;
	permanent	= TRUE;
	description	= DIALOG_ENDE;
};

func int DIA_Grimbald_EXIT_Condition ()
{
	return TRUE;
};

func void DIA_Grimbald_EXIT_Info ()
{
	AI_StopProcessInfos (self);
};

// ------------------------------------------------------------
//	Begrüßung
// ------------------------------------------------------------
instance DIA_Grimbald_Hallo (C_INFO)
{
	npc			= VLK_7001_Grimbald;
	nr			= 1;
	condition	= DIA_Grimbald_Hallo_Condition;
	information	= DIA_Grimbald_Hallo_Info;
	important	= TRUE;
};

func int DIA_Grimbald_Hallo_Condition ()
{
	if (Npc_IsInState (self, ZS_Talk))
	{
		return TRUE;
	};
};

func void DIA_Grimbald_Hallo_Info ()
{
	AI_Output (self, other, "DIA_Grimbald_Hallo_09_00"); //Pass auf, wo du hintrittst. Hier liegen überall glühende Späne.
	AI_Output (other, self, "DIA_Grimbald_Hallo_15_01"); //Du bist der Schmied?
	AI_Output (self, other, "DIA_Grimbald_Hallo_09_02"); //Seit dreißig Jahren. Und keiner in Moorbach schmiedet besser.
};

// ------------------------------------------------------------
//	Arbeit
// ------------------------------------------------------------
instance DIA_Grimbald_Arbeit (C_INFO)
{
	npc			= VLK_7001_Grimbald;
	nr			= 2;
	condition	= DIA_Grimbald_Arbeit_Condition;
	information	= DIA_Grimbald_Arbeit_Info;
	description	= "Hast du Arbeit für mich?";
};

func int DIA_Grimbald_Arbeit_Condition ()
{
	if (Npc_KnowsInfo (other, DIA_Grimbald_Hallo))
	&& (MIS_Grimbald_Kohle == FALSE)
	{
		return TRUE;
	};
};

func void DIA_Grimbald_Arbeit_Info ()
{
	AI_Output (other, self, "DIA_Grimbald_Arbeit_15_00"); //Hast du Arbeit für mich?
	AI_Output (self, other, "DIA_Grimbald_Arbeit_09_01"); //Mir geht die Kohle aus. Bring mir fünf Säcke vom Köhler im Wald.
	Info_ClearChoices (DIA_Grimbald_Arbeit);
	Info_AddChoice (DIA_Grimbald_Arbeit, "Was zahlst du dafür?", DIA_Grimbald_Arbeit_Lohn);
	Info_AddChoice (DIA_Grimbald_Arbeit, "Mach ich.", DIA_Grimbald_Arbeit_Ja);
	Info_AddChoice (DIA_Grimbald_Arbeit, "Such dir einen anderen Dummen.", DIA_Grimbald_Arbeit_Nein);
};

func void DIA_Grimbald_Arbeit_Lohn ()
{
	AI_Output (other, self, "DIA_Grimbald_Arbeit_Lohn_15_00"); //Was zahlst du dafür?
	AI_Output (self, other, "DIA_Grimbald_Arbeit_Lohn_09_01"); //Dreißig Goldstücke. Und ein gutes Wort beim Fischer.
	Info_ClearChoices (DIA_Grimbald_Arbeit);
	Info_AddChoice (DIA_Grimbald_Arbeit, "Mach ich.", DIA_Grimbald_Arbeit_Ja);
	Info_AddChoice (DIA_Grimbald_Arbeit, "Das ist zu wenig.", DIA_Grimbald_Arbeit_Lohn_Mehr);
};

func void DIA_Grimbald_Arbeit_Lohn_Mehr ()
{
	AI_Output (other, self, "DIA_Grimbald_Arbeit_Lohn_Mehr_15_00"); //Das ist zu wenig.
	if (other.attribute[ATR_STRENGTH] > 50)
	{
		AI_Output (self, other, "DIA_Grimbald_Arbeit_Lohn_Mehr_09_01"); //Starke Arme. Gut, fünfzig.
		Grimbald_Lohn = 50;
	}
	else
	{
		AI_Output (self, other, "DIA_Grimbald_Arbeit_Lohn_Mehr_09_02"); //Dreißig, oder du kannst gehen.
	};
};

func void DIA_Grimbald_Arbeit_Ja ()
{
	AI_Output (other, self, "DIA_Grimbald_Arbeit_Ja_15_00"); //Mach ich.
	AI_Output (self, other, "DIA_Grimbald_Arbeit_Ja_09_01"); //Gut. Und trödel nicht.
	MIS_Grimbald_Kohle = LOG_RUNNING;
	Log_CreateTopic (TOPIC_GrimbaldKohle, LOG_MISSION);
	Log_SetTopicStatus (TOPIC_GrimbaldKohle, LOG_RUNNING);
	B_LogEntry (TOPIC_GrimbaldKohle, "Grimbald braucht fünf Säcke Kohle vom Köhler im Wald.");
	Info_ClearChoices (DIA_Grimbald_Arbeit);
};

func void DIA_Grimbald_Arbeit_Nein ()
{
	AI_Output (other, self, "DIA_Grimbald_Arbeit_Nein_15_00"); //Such dir einen anderen Dummen.
	AI_Output (self, other, "DIA_Grimbald_Arbeit_Nein_09_01"); //Dann verschwinde aus meiner Schmiede!
	AI_StopProcessInfos (self);
};

// ------------------------------------------------------------
//	Kohle abgeben
// ------------------------------------------------------------
instance DIA_Grimbald_Kohle (C_INFO)
{
	npc			= VLK_7001_Grimbald;
	nr			= 3;
	condition	= DIA_Grimbald_Kohle_Condition;
	information	= DIA_Grimbald_Kohle_Info;
	description	= "Hier ist deine Kohle.";
};

func int DIA_Grimbald_Kohle_Condition ()
{
	if (MIS_Grimbald_Kohle == LOG_RUNNING)
	&& (Npc_HasItems (other, ItMi_Kohle) >= 5)
	{
		return TRUE;
	};
};

func void DIA_Grimbald_Kohle_Info ()
{
	AI_Output (other, self, "DIA_Grimbald_Kohle_15_00"); //Hier ist deine Kohle.
	B_GiveInvItems (other, self, ItMi_Kohle, 5);
	AI_Output (self, other, "DIA_Grimbald_Kohle_09_01"); //Endlich. Hier, dein Lohn.
	if (Grimbald_Lohn == 0) { Grimbald_Lohn = PREISE[2]; }
	B_GiveInvItems (self, other, ItMi_Gold, Grimbald_Lohn);
	MIS_Grimbald_Kohle = LOG_SUCCESS;
	B_GivePlayerXP (XP_GrimbaldKohle);
	DIA_Grimbald_Arbeit.permanent = FALSE;
};

// ------------------------------------------------------------
//	Handel
// ------------------------------------------------------------
instance DIA_Grimbald_Handel (C_INFO)
{
	npc			= VLK_7001_Grimbald;
	nr			= 10;
	condition	= DIA_Grimbald_Handel_Condition;
	information	= DIA_Grimbald_Handel_Info;
	permanent	= TRUE;
	trade		= TRUE;
	description	= "Zeig mir deine Waffen.";
};

func int DIA_Grimbald_Handel_Condition ()
{
	if (Npc_KnowsInfo (other, DIA_Grimbald_Hallo))
	{
		return TRUE;
	};
};

func void DIA_Grimbald_Handel_Info ()
{
	AI_Output (other, self, "DIA_Grimbald_Handel_15_00"); //Zeig mir deine Waffen.
	B_GiveTradeInv (self);
};

// ------------------------------------------------------------
//	Schmieden lernen
// ------------------------------------------------------------
instance DIA_Grimbald_Lehre (C_INFO)
{
	npc			= VLK_7001_Grimbald;
	nr			= 5;
	condition	= DIA_Grimbald_Lehre_Condition;
	information	= DIA_Grimbald_Lehre_Info;
	permanent	= TRUE;
	description	= B_BuildLearnString ("Bring mir das Schmieden bei", B_GetLearnCostTalent (other, NPC_TALENT_SMITH, WEAPON_Common));
};

func int DIA_Grimbald_Lehre_Condition ()
{
	if (MIS_Grimbald_Kohle == LOG_SUCCESS)
	&& (PLAYER_TALENT_SMITH[WEAPON_Common] == FALSE)
	{
		return TRUE;
	};
};

func void DIA_Grimbald_Lehre_Info ()
{
	AI_Output (other, self, "DIA_Grimbald_Lehre_15_00"); //Bring mir das Schmieden bei.
	if (B_TeachPlayerTalentSmith (self, other, WEAPON_Common))
	{
		AI_Output (self, other, "DIA_Grimbald_Lehre_09_01"); //Erst den Stahl glühend machen, dann auf den Amboss.
		AI_Output (self, other, "DIA_Grimbald_Lehre_09_02"); //Schlag gleichmäßig, und kühl die Klinge im Trog.
	}
};

// ------------------------------------------------------------
//	Erz
// ------------------------------------------------------------
instance DIA_Grimbald_Erz (C_INFO)
{
	npc			= VLK_7001_Grimbald;
	nr			= 6;
	condition	= DIA_Grimbald_Erz_Condition;
	information	= DIA_Grimbald_Erz_Info;
	description	= "Woher bekommst du dein Erz?";
};

func int DIA_Grimbald_Erz_Condition ()
{
	return TRUE;
};

func void DIA_Grimbald_Erz_Info ()
{
	AI_Output (other, self, "DIA_Grimbald_Erz_15_00"); //Woher bekommst du dein Erz?
	AI_Output (self, other, "DIA_Grimbald_Erz_09_01"); //Von den Händlern aus der Stadt. Früher aus der alten Mine.
	Info_ClearChoices (DIA_Grimbald_Erz);
	Info_AddChoice (DIA_Grimbald_Erz, DIALOG_BACK, DIA_Grimbald_Erz_Back);
	Info_AddChoice (DIA_Grimbald_Erz, "Erzähl mir von der Mine.", DIA_Grimbald_Erz_Mine);
};

func void DIA_Grimbald_Erz_Back ()
{
	Info_ClearChoices (DIA_Grimbald_Erz);
};

func void DIA_Grimbald_Erz_Mine ()
{
	AI_Output (other, self, "DIA_Grimbald_Erz_Mine_15_00"); //Erzähl mir von der Mine.
	AI_Output (self, other, "DIA_Grimbald_Erz_Mine_09_01"); //Sie ist eingestürzt. Seitdem hausen Minecrawler darin.
	Info_ClearChoices (DIA_Grimbald_Erz);
	Info_AddChoice (DIA_Grimbald_Erz, DIALOG_BACK, DIA_Grimbald_Erz_Back);
	Info_AddChoice (DIA_Grimbald_Erz, "Wo liegt die Mine?", DIA_Grimbald_Erz_Mine_Wo);
};

func void DIA_Grimbald_Erz_Mine_Wo ()
{
	AI_Output (other, self, "DIA_Grimbald_Erz_Mine_Wo_15_00"); //Wo liegt die Mine?
	AI_Output (self, other, "DIA_Grimbald_Erz_Mine_Wo_09_01"); //Hinter der Mühle den Hang hinauf. Aber geh nicht allein.
	Log_CreateTopic (TOPIC_AlteMine, LOG_NOTE);
	B_LogEntry (TOPIC_AlteMine, "Die alte Mine liegt hinter der Mühle am Hang.");
	Info_ClearChoices (DIA_Grimbald_Erz);
};

// ------------------------------------------------------------
//	Taschendiebstahl
// ------------------------------------------------------------
instance DIA_Grimbald_PICKPOCKET (C_INFO)
{
	npc			= VLK_7001_Grimbald;
	nr			= 900;
	condition	= DIA_Grimbald_PICKPOCKET_Condition;
	information	= DIA_Grimbald_PICKPOCKET_Info;
	permanent	= TRUE;
	description	= Pickpocket_60;
};

func int DIA_Grimbald_PICKPOCKET_Condition ()
{
	return C_Beklauen (58, 75);
};

func void DIA_Grimbald_PICKPOCKET_Info ()
{
	Info_ClearChoices (DIA_Grimbald_PICKPOCKET);
	Info_AddChoice (DIA_Grimbald_PICKPOCKET, DIALOG_BACK, DIA_Grimbald_PICKPOCKET_BACK);
	Info_AddChoice (DIA_Grimbald_PICKPOCKET, DIALOG_PICKPOCKET, DIA_Grimbald_PICKPOCKET_DoIt);
};

func void DIA_Grimbald_PICKPOCKET_DoIt ()
{
	B_Beklauen ();
	Info_ClearChoices (DIA_Grimbald_PICKPOCKET);
};

func void DIA_Grimbald_PICKPOCKET_BACK ()
{
	Info_ClearChoices (DIA_Grimbald_PICKPOCKET);
};
