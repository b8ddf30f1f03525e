// ************************************************************
//	Tarek, Jäger im Moor
// ************************************************************

instance DIA_Tarek_EXIT (C_INFO)
{
	npc			= BAU_7003_Tarek;
	nr			= 999;
	condition	= DIA_Tarek_EXIT_Condition;
	information	= DIA_Tarek_EXIT_Info;
	permanent	= TRUE;
	description	= DIALOG_ENDE;
};

func int DIA_Tarek_EXIT_Condition ()
{
	return TRUE;
};

func void DIA_Tarek_EXIT_Info ()
{
	AI_StopProcessInfos (self);
};

// ------------------------------------------------------------
instance DIA_Tarek_Hallo (C_INFO)
{
	npc			= BAU_7003_Tarek;
	nr			= 1;
	condition	= DIA_Tarek_Hallo_Condition;
	information	= DIA_Tarek_Hallo_Info;
	description	= "Was machst du hier draußen?";
};

func int DIA_Tarek_Hallo_Condition ()
{
	return TRUE;
};

// Tareks Begrüßung liefert einen Wert, den keiner braucht
func int DIA_Tarek_Hallo_Info ()
{
	AI_Output (other, self, "DIA_Tarek_Hallo_15_00"); //Was machst du hier draußen?
	AI_Output (self, other, "DIA_Tarek_Hallo_08_01"); //Ich jage. Moorwölfe, Blutfliegen, was eben kommt.
	if (Npc_HasEquippedRangedWeapon (other))
	{
		AI_Output (self, other, "DIA_Tarek_Hallo_08_02"); //Du hast einen Bogen. Gut.
		return TRUE;
	};
	AI_Output (self, other, "DIA_Tarek_Hallo_08_03"); //Ohne Bogen solltest du nicht hier sein.
	return B_Tarek_Warnung (other);
};

// ------------------------------------------------------------
instance DIA_Tarek_Lehrer (C_INFO)
{
	npc			= BAU_7003_Tarek;
	nr			= 2;
	condition	= DIA_Tarek_Lehrer_Condition;
	information	= DIA_Tarek_Lehrer_Info;
	description	= "Kannst du mir etwas beibringen?";
};

func int DIA_Tarek_Lehrer_Condition ()
{
	if (Npc_KnowsInfo (other, DIA_Tarek_Hallo))
	{
		return TRUE;
	};
};

func void DIA_Tarek_Lehrer_Info ()
{
	AI_Output (other, self, "DIA_Tarek_Lehrer_15_00"); //Kannst du mir etwas beibringen?
	AI_Output (self, other, "DIA_Tarek_Lehrer_08_01"); //Wie man Tiere ausweidet. Das kann hier jeder gebrauchen.
	Tarek_TeachTrophy = TRUE;
	Log_CreateTopic (TOPIC_Teacher, LOG_NOTE);
	B_LogEntry (TOPIC_Teacher, "Tarek, der Jäger im Moor, bringt mir bei, wie man Tiere ausweidet.");
};

// ------------------------------------------------------------
instance DIA_Tarek_Fell (C_INFO)
{
	npc			= BAU_7003_Tarek;
	nr			= 3;
	condition	= DIA_Tarek_Fell_Condition;
	information	= DIA_Tarek_Fell_Info;
	permanent	= TRUE;
	description	= B_BuildLearnString ("Fell abziehen", B_GetLearnCostTalent (other, NPC_TALENT_TAKEANIMALTROPHY, TROPHY_Fur));
};

func int DIA_Tarek_Fell_Condition ()
{
	if (Tarek_TeachTrophy == TRUE)
	&& (PLAYER_TALENT_TAKEANIMALTROPHY[TROPHY_Fur] == FALSE)
	{
		return TRUE;
	};
};

func void DIA_Tarek_Fell_Info ()
{
	AI_Output (other, self, "DIA_Tarek_Fell_15_00"); //Zeig mir, wie man ein Fell abzieht.
	if (B_TeachPlayerTalentTakeAnimalTrophy (self, other, TROPHY_Fur))
	{
		AI_Output (self, other, "DIA_Tarek_Fell_08_01"); //Schnitt am Bauch, dann langsam ziehen. Nicht reißen.
	};
};

// ------------------------------------------------------------
instance DIA_Tarek_Zaehne (C_INFO)
{
	npc			= BAU_7003_Tarek;
	nr			= 4;
	condition	= DIA_Tarek_Zaehne_Condition;
	information	= DIA_Tarek_Zaehne_Info;
	permanent	= TRUE;
	description	= B_BuildLearnString
					("Zähne brechen", // für Wolfszähne
					 B_GetLearnCostTalent (other, NPC_TALENT_TAKEANIMALTROPHY, TROPHY_Teeth));
};

func int DIA_Tarek_Zaehne_Condition ()
{
	if (Tarek_TeachTrophy == TRUE)
	&& (PLAYER_TALENT_TAKEANIMALTROPHY[TROPHY_Teeth] == FALSE)
	{
		return TRUE;
	};
};

func void DIA_Tarek_Zaehne_Info ()
{
	AI_Output (other, self, "DIA_Tarek_Zaehne_15_00"); //Wie komme ich an die Zähne?
	if (B_TeachPlayerTalentTakeAnimalTrophy (self, other, TROPHY_Teeth))
	{
		AI_Output (self, other, "DIA_Tarek_Zaehne_08_01"); //Mit einem Hebel am Kiefer. Nimm dein Messer dafür.
	};
};

// ------------------------------------------------------------
instance DIA_Tarek_Wolf (C_INFO)
{
	npc			= BAU_7003_Tarek;
	nr			= 5;
	condition	= DIA_Tarek_Wolf_Condition;
	information	= DIA_Tarek_Wolf_Info;
	description	= "Brauchst du Hilfe bei der Jagd?";
};

func int DIA_Tarek_Wolf_Condition ()
{
	if (Npc_KnowsInfo (other, DIA_Tarek_Hallo))
	&& (Npc_KnowsInfo (other, DIA_Jorn_Netz))
	{
		return TRUE;
	};
};

func void DIA_Tarek_Wolf_Info ()
{
	AI_Output (other, self, "DIA_Tarek_Wolf_15_00"); //Brauchst du Hilfe bei der Jagd?
	AI_Output (self, other, "DIA_Tarek_Wolf_08_01"); //Ein Rudel Moorwölfe reißt Jorns Ziegen. Töte den Leitwolf.
	Info_ClearChoices (DIA_Tarek_Wolf);
	Info_AddChoice (DIA_Tarek_Wolf, "Ich kümmere mich darum.", DIA_Tarek_Wolf_Ja);
	Info_AddChoice (DIA_Tarek_Wolf, "Was springt für mich dabei raus?", DIA_Tarek_Wolf_Lohn);
};

func void DIA_Tarek_Wolf_Lohn ()
{
	AI_Output (other, self, "DIA_Tarek_Wolf_Lohn_15_00"); //Was springt für mich dabei raus?
	AI_Output (self, other, "DIA_Tarek_Wolf_Lohn_08_01"); //Das Fell des Leitwolfs. Und ich zeige dir meine Jagdgründe.
	Wolf_Belohnung = PREISE[1] * 2;
};

func void DIA_Tarek_Wolf_Ja ()
{
	AI_Output (other, self, "DIA_Tarek_Wolf_Ja_15_00"); //Ich kümmere mich darum.
	AI_Output (self, other, "DIA_Tarek_Wolf_Ja_08_01"); //Sein Bau liegt im Süden, bei den toten Bäumen.
	MIS_Tarek_Wolf = LOG_RUNNING;
	Log_CreateTopic (TOPIC_TarekWolf, LOG_MISSION);
	Log_SetTopicStatus (TOPIC_TarekWolf, LOG_RUNNING);
	B_LogEntry (TOPIC_TarekWolf, "Ich soll für Tarek den Leitwolf der Moorwölfe töten.");
	Wld_InsertNpc (Moorwolf_Leit, "FP_ROAM_MOOR_SOUTH_01");
	Info_ClearChoices (DIA_Tarek_Wolf);
};
