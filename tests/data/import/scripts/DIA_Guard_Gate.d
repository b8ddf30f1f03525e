// **************************************************
//  Torwache am Nordtor
// **************************************************

// EXIT
instance DIA_Guard_Gate_EXIT (C_INFO)
{
	npc			= VLK_4100_Guard;
	nr			= 999;
	condition	= DIA_Guard_Gate_EXIT_Condition;
	information	= DIA_Guard_Gate_EXIT_Info;
	permanent	= TRUE;
	description = DIALOG_ENDE;
};

func int DIA_Guard_Gate_EXIT_Condition ()
{
	return TRUE;
};

func void DIA_Guard_Gate_EXIT_Info ()
{
	AI_StopProcessInfos (self);
};

// Begrüßung am Tor
instance DIA_Guard_Gate_Hello (C_INFO)
{
	npc			= VLK_4100_Guard;
	nr			= 1;
	condition	= DIA_Guard_Gate_Hello_Condition;
	information	= DIA_Guard_Gate_Hello_Info;
	description	= "Lass mich durch!";
};

func int DIA_Guard_Gate_Hello_Condition ()
{
	return TRUE;
};

func void DIA_Guard_Gate_Hello_Info ()
{
	AI_Output (other, self, "DIA_Guard_Gate_Hello_15_00"); //Lass mich durch!
	AI_Output (self, other, "DIA_Guard_Gate_Hello_08_01"); //Nur wer die Parole kennt, darf passieren. Hörst du?
	/* the guard looks suspicious */
	Info_ClearChoices (DIA_Guard_Gate_Hello);
	Info_AddChoice (DIA_Guard_Gate_Hello, DIALOG_BACK, DIA_Guard_Gate_Hello_Back);
	Info_AddChoice (DIA_Guard_Gate_Hello, "Die Parole ist 'Drachenfeuer'.", DIA_Guard_Gate_Hello_Parole);
	Info_AddChoice (DIA_Guard_Gate_Hello, "Ich habe Gold.", DIA_Guard_Gate_Hello_Gold);
};

func void DIA_Guard_Gate_Hello_Back ()
{
	Info_ClearChoices (DIA_Guard_Gate_Hello);
};

func void DIA_Guard_Gate_Hello_Parole ()
{
	AI_Output (other, self, "DIA_Guard_Gate_Hello_Parole_15_00"); //Die Parole ist 'Drachenfeuer'.
	AI_Output (self, other, "DIA_Guard_Gate_Hello_Parole_08_01"); //Gut. Geh durch.
	Npc_ExchangeRoutine (self, "OPEN");
	AI_StopProcessInfos (self);
};

func void DIA_Guard_Gate_Hello_Gold ()
{
	AI_Output (other, self, "DIA_Guard_Gate_Hello_Gold_15_00"); //Ich habe Gold.
	if (Npc_HasItems (other, ItMi_Gold) >= 50)
	{
		B_GiveInvItems (other, self, ItMi_Gold, 50);
		AI_Output (self, other, "DIA_Guard_Gate_Hello_Gold_08_01"); //Das genügt.
	}
	else
	{
		AI_Output (self, other, "DIA_Guard_Gate_Hello_Gold_08_02"); //Das ist zu wenig.
	};
	Info_ClearChoices (DIA_Guard_Gate_Hello);
};

// Nach dem Tor
instance DIA_Guard_Gate_After (C_INFO)
{
	npc			= VLK_4100_Guard;
	nr			= 2;
	condition	= DIA_Guard_Gate_After_Condition;
	information	= DIA_Guard_Gate_After_Info;
	description	= "Wie läuft die Wache?";
};

func int DIA_Guard_Gate_After_Condition ()
{
	if (Npc_KnowsInfo (other, DIA_Guard_Gate_Hello))
	{
		return TRUE;
	};
};

func void DIA_Guard_Gate_After_Info ()
{
	AI_Output (other, self, "DIA_Guard_Gate_After_15_00"); //Wie läuft die Wache?
	AI_Output (self, other, "DIA_Guard_Gate_After_08_01"); //Ruhig. Zu ruhig.
};

// end of the guard's dialogs
