// ************************************************************
// 			  			Dialoge der Torwache am Südtor
// ************************************************************
// Geschrieben für das Lager. Umlaute in Kommentaren: äöüß ÄÖÜ

const int Wache_Bestechung     = 50;	// Goldstücke für den Durchlass
const string Wache_Parole      = "Größenwahn";
var int Wache_Durchgelassen;
var int Wache_Verwarnungen;

/* Der Prototyp der Wachen. Block-Kommentar
   über mehrere Zeilen, mit "Anführungszeichen" und // darin. */
prototype Mst_Default_Wache (C_NPC)
{
	name 				= "Torwache";
	guild 				= GIL_GRD;
	level 				= 12;
	voice 				= 6;
	npctype 			= NPCTYPE_MAIN;
	attribute[ATR_STRENGTH] 	= 55;
	attribute[ATR_DEXTERITY] 	= 35;
	attribute[ATR_HITPOINTS_MAX] 	= 184;
	attribute[ATR_HITPOINTS] 	= 184;
	fight_tactic 			= FAI_HUMAN_STRONG;
	Npc_SetTalentSkill (self, NPC_TALENT_1H, 1);
};

instance GRD_212_Torwache (Mst_Default_Wache)
{
	id 				= 212;
	flags 				= NPC_FLAG_IMMORTAL;
	daily_routine 			= Rtn_Start_212;
};

func void Rtn_Start_212 ()
{
	TA_GuardPassage (08, 00, 20, 00, "OCR_MAINGATE_INSIDE");
	TA_GuardPassage (20, 00, 08, 00, "OCR_MAINGATE_INSIDE");
};

// ************************************************************
// 				EXIT
// ************************************************************

instance DIA_Torwache_Exit (C_INFO)
{
	npc 			= GRD_212_Torwache;
	nr 			= 999;
	condition 		= DIA_Torwache_Exit_Condition;
	information 		= DIA_Torwache_Exit_Info;
	permanent 		= TRUE;
	description 		= DIALOG_ENDE;
};

func int DIA_Torwache_Exit_Condition ()
{
	return TRUE;
};

func void DIA_Torwache_Exit_Info ()
{
	AI_StopProcessInfos (self);
};

// ************************************************************
// 				Erste Begrüßung
// ************************************************************

instance DIA_Torwache_Hallo (C_INFO)
{
	npc 			= GRD_212_Torwache;
	nr 			= 1;
	condition 		= DIA_Torwache_Hallo_Condition;
	information 		= DIA_Torwache_Hallo_Info;
	important 		= TRUE;
	permanent 		= FALSE;
};

func int DIA_Torwache_Hallo_Condition ()
{
	if (Npc_GetDistToNpc (self, hero) < 500)
	&& (Wache_Durchgelassen == FALSE)
	{
		return TRUE;
	};
	return FALSE;
};

func void DIA_Torwache_Hallo_Info ()
{
	AI_Output (self, other, "DIA_Torwache_Hallo_12_00"); //Halt! Wer bist du und was willst du hier?
	AI_Output (other, self, "DIA_Torwache_Hallo_15_01"); //Ich bin neu hier. Ich möchte ins Lager.
	AI_Output (self, other, "DIA_Torwache_Hallo_12_02"); //Das möchten viele. Aber nicht jeder darf rein.

	Info_ClearChoices (DIA_Torwache_Hallo);
	Info_AddChoice (DIA_Torwache_Hallo, "Ich habe Gold dabei.", DIA_Torwache_Hallo_Gold);
	Info_AddChoice (DIA_Torwache_Hallo, "Ich kenne die Parole.", DIA_Torwache_Hallo_Parole);
	Info_AddChoice (DIA_Torwache_Hallo, "Lass mich durch, oder es knallt!", DIA_Torwache_Hallo_Drohen);
};

func void DIA_Torwache_Hallo_Gold ()
{
	AI_Output (other, self, "DIA_Torwache_Hallo_Gold_15_00"); //Vielleicht überzeugt dich ja etwas Gold?
	if (Npc_HasItems (other, ItMiNugget) >= Wache_Bestechung)
	{
		AI_Output (self, other, "DIA_Torwache_Hallo_Gold_12_01"); //Na, das klingt schon besser. Geh durch.
		B_GiveInvItems (other, self, ItMiNugget, Wache_Bestechung);
		Wache_Durchgelassen = TRUE;
		Info_ClearChoices (DIA_Torwache_Hallo);
	}
	else
	{
		AI_Output (self, other, "DIA_Torwache_Hallo_Gold_12_02"); //Das ist zu wenig. Komm wieder, wenn du genug hast.
		Wache_Verwarnungen = Wache_Verwarnungen + 1;
	};
};

func void DIA_Torwache_Hallo_Parole ()
{
	AI_Output (other, self, "DIA_Torwache_Hallo_Parole_15_00"); //Die Parole lautet "Größenwahn".
	AI_Output (self, other, "DIA_Torwache_Hallo_Parole_12_01"); //Richtig. Du darfst passieren.
	Wache_Durchgelassen = TRUE;
	B_LogEntry (CH1_Torwache, "Die Wache am Südtor kennt die Parole. Ich bin drin.");
	Info_ClearChoices (DIA_Torwache_Hallo);
};

func void DIA_Torwache_Hallo_Drohen ()
{
	AI_Output (other, self, "DIA_Torwache_Hallo_Drohen_15_00"); //Lass mich durch, oder es knallt!
	AI_Output (self, other, "DIA_Torwache_Hallo_Drohen_12_01"); //Du wagst es, mir zu drohen?
	Info_ClearChoices (DIA_Torwache_Hallo);
	AI_StopProcessInfos (self);
	Npc_SetTarget (self, other);
	AI_StartState (self, ZS_Attack, 1, "");
};

// ************************************************************
// 				Nach dem Lager fragen
// ************************************************************

instance DIA_Torwache_Lager (C_INFO)
{
	npc 			= GRD_212_Torwache;
	nr 			= 2;
	condition 		= DIA_Torwache_Lager_Condition;
	information 		= DIA_Torwache_Lager_Info;
	permanent 		= FALSE;
	description 		= "Was ist das hier für ein Lager?";
};

func int DIA_Torwache_Lager_Condition ()
{
	if (Npc_KnowsInfo (hero, DIA_Torwache_Hallo))
	{
		return TRUE;
	};
};

func void DIA_Torwache_Lager_Info ()
{
	AI_Output (other, self, "DIA_Torwache_Lager_15_00"); //Was ist das hier für ein Lager?
	AI_Output (self, other, "DIA_Torwache_Lager_12_01"); //Das Alte Lager. Gomez hat hier das Sagen.
	AI_Output (self, other, "DIA_Torwache_Lager_12_02"); //Wenn du Ärger machst, bekommst du es mit uns zu tun.
};

// ************************************************************
// 				Handel
// ************************************************************

instance DIA_Torwache_Handel (C_INFO)
{
	npc 			= GRD_212_Torwache;
	nr 			= 800;
	condition 		= DIA_Torwache_Handel_Condition;
	information 		= DIA_Torwache_Handel_Info;
	permanent 		= TRUE;
	trade 			= 1;
	description 		= "Zeig mir deine Waren.";
};

func int DIA_Torwache_Handel_Condition ()
{
	if (Npc_KnowsInfo (hero, DIA_Torwache_Lager))
	&& (Wache_Durchgelassen)
	{
		return 1;
	};
};

func void DIA_Torwache_Handel_Info ()
{
	AI_Output (other, self, "DIA_Torwache_Handel_15_00"); //Zeig mir deine Waren.
	B_GiveTradeInv (self);
};

// ************************************************************
// 				Der Auftrag
// ************************************************************

var int Torwache_Auftrag;
const int AUFTRAG_OFFEN   = 1;
const int AUFTRAG_ERLEDIGT = 2;

instance DIA_Torwache_Auftrag (C_INFO)
{
	npc 			= GRD_212_Torwache;
	nr 			= 3;
	condition 		= DIA_Torwache_Auftrag_Condition;
	information 		= DIA_Torwache_Auftrag_Info;
	permanent 		= FALSE;
	description 		= "Hast du eine Aufgabe für mich?";
};

func int DIA_Torwache_Auftrag_Condition ()
{
	if (Npc_KnowsInfo (hero, DIA_Torwache_Lager)) && (Torwache_Auftrag == 0) && (hero.level >= 2)
	{
		return TRUE;
	};
};

func void DIA_Torwache_Auftrag_Info ()
{
	var C_NPC Kumpel;
	Kumpel = Hlp_GetNpc (GRD_213_Kumpel);

	AI_Output (other, self, "DIA_Torwache_Auftrag_15_00"); //Hast du eine Aufgabe für mich?
	AI_Output (self, other, "DIA_Torwache_Auftrag_12_01"); //Mein Kumpel schuldet mir noch 20 Erz.
	AI_Output (self, other, "DIA_Torwache_Auftrag_12_02"); //Hol es dir und bring es mir. Du kriegst die Hälfte.

	Torwache_Auftrag = AUFTRAG_OFFEN;
	Log_CreateTopic (CH1_Schulden, LOG_MISSION);
	Log_SetTopicStatus (CH1_Schulden, LOG_RUNNING);
	B_LogEntry (CH1_Schulden, "Die Torwache will, dass ich ihre Schulden eintreibe. 20 Erz, die Hälfte für mich.");

	Kumpel.aivar[AIV_WASDEFEATEDBYSC] = FALSE;
	Npc_ExchangeRoutine (Kumpel, "GUARD");

	Info_ClearChoices (DIA_Torwache_Auftrag);
	Info_AddChoice (DIA_Torwache_Auftrag, "Mach ich.", DIA_Torwache_Auftrag_Ja);
	Info_AddChoice (DIA_Torwache_Auftrag, "Such dir einen anderen Dummen.", DIA_Torwache_Auftrag_Nein);
};

func void DIA_Torwache_Auftrag_Ja ()
{
	AI_Output (other, self, "DIA_Torwache_Auftrag_Ja_15_00"); //Mach ich.
	AI_Output (self, other, "DIA_Torwache_Auftrag_Ja_12_01"); //Gut. Lass dich nicht übers Ohr hauen.
	Info_ClearChoices (DIA_Torwache_Auftrag);
};

func void DIA_Torwache_Auftrag_Nein ()
{
	AI_Output (other, self, "DIA_Torwache_Auftrag_Nein_15_00"); //Such dir einen anderen Dummen.
	AI_Output (self, other, "DIA_Torwache_Auftrag_Nein_12_01"); //Dann eben nicht. Mach dich vom Acker!
	Torwache_Auftrag = -1;
	Log_SetTopicStatus (CH1_Schulden, LOG_FAILED);
	Info_ClearChoices (DIA_Torwache_Auftrag);
	AI_StopProcessInfos (self);
};

// ************************************************************
// 				Auftrag erledigt (permanent)
// ************************************************************

instance DIA_Torwache_Erz (C_INFO)
{
	npc 			= GRD_212_Torwache;
	nr 			= 4;
	condition 		= DIA_Torwache_Erz_Condition;
	information 		= DIA_Torwache_Erz_Info;
	permanent 		= TRUE;
	description 		= "Wegen des Erzes ...";
};

func int DIA_Torwache_Erz_Condition ()
{
	if (Torwache_Auftrag == AUFTRAG_OFFEN)
	{
		return TRUE;
	};
};

func void DIA_Torwache_Erz_Info ()
{
	var int Erz;
	Erz = Npc_HasItems (other, ItMiNugget);

	AI_Output (other, self, "DIA_Torwache_Erz_15_00"); //Wegen des Erzes ...
	if (Erz >= 20)
	{
		AI_Output (other, self, "DIA_Torwache_Erz_15_01"); //Hier ist dein Erz.
		AI_Output (self, other, "DIA_Torwache_Erz_12_02"); //Ausgezeichnet! Hier, deine Hälfte.
		B_GiveInvItems (other, self, ItMiNugget, 20);
		CreateInvItems (self, ItMiNugget, 10);
		B_GiveInvItems (self, other, ItMiNugget, 10);
		Torwache_Auftrag = AUFTRAG_ERLEDIGT;
		Log_SetTopicStatus (CH1_Schulden, LOG_SUCCESS);
		B_GiveXP (XP_Torwache_Schulden * 2 + 10);
	}
	else if (Erz > 0)
	{
		AI_Output (self, other, "DIA_Torwache_Erz_12_03"); //Das ist nicht alles. Ich will 20 Erz sehen!
	}
	else
	{
		AI_Output (self, other, "DIA_Torwache_Erz_12_04"); //Du hast ja gar nichts! Verschwinde!
		AI_StopProcessInfos (self);
	};
};


// Hilfsfunktion mit Parametern: wird kein Dialog.
func int B_Torwache_Zaehle (var int Anzahl, var string Grund, var C_NPC Wer)
{
	var int Summe;
	Summe = Anzahl;
	Summe += Wache_Verwarnungen * (Anzahl - 1);
	if (!Npc_IsDead (Wer) && (Summe % 2 == 0) || (Summe < -5))
	{
		PrintScreen (ConcatStrings ("Gezählt: ", IntToString (Summe)), -1, 10, "font_old_20_white.tga", 3);
	};
	return Summe;
};

instance ItMi_Torschluessel (C_ITEM)
{
	name 			= "Schlüssel zum Südtor";
	mainflag 		= ITEM_KAT_NONE;
	flags 			= ITEM_MISSION;
	value 			= 3;
	visual 			= "ItKe_Key_01.3ds";
	material 		= MAT_METAL;
	description 		= name;
	text[0] 		= "Öffnet das Südtor.";
	count[0] 		= 0;
};

class C_Torwache_Notiz
{
	var string Text;
	var int Zeilen[4];
	var float Gewicht;
};

instance DIA_Torwache_Schluessel (C_INFO)
{
	npc 			= GRD_212_Torwache;
	nr 			= 5;
	condition 		= DIA_Torwache_Schluessel_Condition;
	information 		= DIA_Torwache_Schluessel_Info;
	description 		= "Gib mir den Schlüssel!";
};

func int DIA_Torwache_Schluessel_Condition ()
{
	if (Torwache_Auftrag == AUFTRAG_ERLEDIGT)
	&& (!Npc_HasItems (hero, ItMi_Torschluessel))
	{
		return TRUE;
	};
};

func void DIA_Torwache_Schluessel_Info ()
{
	AI_Output (other, self, "DIA_Torwache_Schluessel_15_00"); //Gib mir den Schlüssel!
	AI_Output (self, other, "DIA_Torwache_Schluessel_12_01"); //Wofür brauchst du den? /* na gut */
	AI_Output (self, other, "DIA_Torwache_Schluessel_12_02"); //Hier. Aber verlier ihn nicht.
	CreateInvItem (self, ItMi_Torschluessel);
	B_GiveInvItems (self, hero, ItMi_Torschluessel, 1);
	self.aivar[AIV_PARTYMEMBER] = FALSE;
	Npc_SetPermAttitude (self, ATT_FRIENDLY);
	AI_StopProcessInfos (self);
};
