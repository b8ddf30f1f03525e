// ************************************************************
//	Alrik, der Vogt von Moorbach, nimmt den Zoll ein
// ************************************************************

var int Vogt_SteuerBezahlt;

instance DIA_Vogt_Alrik_EXIT (C_INFO)
{
	npc			= VLK_7010_Alrik;
	nr			= 999;
	condition	= DIA_Vogt_Alrik_EXIT_Condition;
	information	= DIA_Vogt_Alrik_EXIT_Info;
	permanent	= TRUE;
	description	= DIALOG_ENDE;
};

func int DIA_Vogt_Alrik_EXIT_Condition ()
{
	return TRUE;
};

func void DIA_Vogt_Alrik_EXIT_Info ()
{
	AI_StopProcessInfos (self);
};

// ------------------------------------------------------------
//	Begrüßung: die Funktionen heißen anders als die Instanz
// ------------------------------------------------------------
instance DIA_Vogt_Alrik_Hallo (C_INFO)
{
	npc			= VLK_7010_Alrik;
	nr			= 1;
	condition	= DIA_Vogt_Alrik_Begruessung_Cond;
	information	= DIA_Vogt_Alrik_Begruessung;
	important	= TRUE;
};

func int DIA_Vogt_Alrik_Begruessung_Cond ()
{
	if (Npc_IsInState (self, ZS_Talk))
	{
		return TRUE;
	};
};

func void DIA_Vogt_Alrik_Begruessung ()
{
	AI_Output (self, other, "DIA_Vogt_Alrik_Hallo_09_00"); //Halt! Wer bist du?
	AI_Output (other, self, "DIA_Vogt_Alrik_Hallo_15_01"); //Ein Reisender.
	AI_Output (self, other, "DIA_Vogt_Alrik_Hallo_09_02"); //Reisende zahlen Zoll. Zehn Goldstücke.
};

// Der Vogt grüßt noch einmal, wenn man ihn ruft.
func void B_Vogt_Gruss ()
{
	DIA_Vogt_Alrik_Begruessung ();
};

// ------------------------------------------------------------
//	Steuer: eine Bedingung aus mehr als einem if
// ------------------------------------------------------------
instance DIA_Vogt_Alrik_Steuer (C_INFO)
{
	npc			= VLK_7010_Alrik;
	nr			= 2;
	condition	= DIA_Vogt_Alrik_Steuer_Condition;
	information	= DIA_Vogt_Alrik_Steuer_Info;
	permanent	= TRUE;
	description	= "Wegen der Steuer ...";
};

func int DIA_Vogt_Alrik_Steuer_Condition ()
{
	if (Vogt_SteuerBezahlt == TRUE)
	{
		return FALSE;
	};
	if (Npc_KnowsInfo (other, DIA_Vogt_Alrik_Hallo))
	{
		return TRUE;
	};
};

func void DIA_Vogt_Alrik_Steuer_Info ()
{
	AI_Output (other, self, "DIA_Vogt_Alrik_Steuer_15_00"); //Wegen der Steuer ...
	AI_Output (self, other, "DIA_Vogt_Alrik_Steuer_09_01"); //Zahlst du oder nicht?
	Info_ClearChoices (DIA_Vogt_Alrik_Steuer);
	Info_AddChoice (DIA_Vogt_Alrik_Steuer, "Später.", DIA_Vogt_Alrik_Steuer_Spaeter);
	Info_AddChoice (DIA_Vogt_Alrik_Steuer, "Hier, zehn Goldstücke.", DIA_Vogt_Alrik_Steuer_Zahlen);
};

func void DIA_Vogt_Alrik_Steuer_Zahlen ()
{
	AI_Output (other, self, "DIA_Vogt_Alrik_Steuer_Zahlen_15_00"); //Hier, zehn Goldstücke.
	B_GiveInvItems (other, self, ItMi_Gold, 10);
	AI_Output (self, other, "DIA_Vogt_Alrik_Steuer_Zahlen_09_01"); //Recht so.
	Vogt_SteuerBezahlt = TRUE;
	Info_ClearChoices (DIA_Vogt_Alrik_Steuer);
};

func void DIA_Vogt_Alrik_Steuer_Spaeter ()
{
	AI_Output (other, self, "DIA_Vogt_Alrik_Steuer_Spaeter_15_00"); //Später.
	// Die Frage noch einmal, aus derselben Aufnahme
	AI_Output (self, other, "DIA_Vogt_Alrik_Steuer_09_01"); //Zahlst du oder nicht?
	Info_ClearChoices (DIA_Vogt_Alrik_Steuer);
};

// ------------------------------------------------------------
//	Zoll: zwei Dialoge, eine Informationsfunktion
// ------------------------------------------------------------
instance DIA_Vogt_Alrik_Zoll (C_INFO)
{
	npc			= VLK_7010_Alrik;
	nr			= 3;
	condition	= DIA_Vogt_Alrik_Zoll_Condition;
	information	= DIA_Vogt_Alrik_Zoll_Info;
	description	= "Was kostet der Zoll?";
};

func int DIA_Vogt_Alrik_Zoll_Condition ()
{
	return TRUE;
};

func void DIA_Vogt_Alrik_Zoll_Info ()
{
	AI_Output (other, self, "DIA_Vogt_Alrik_Zoll_15_00"); //Was kostet der Zoll?
	AI_Output (self, other, "DIA_Vogt_Alrik_Zoll_09_01"); //Zehn Goldstücke, wie immer.
};

// Die Bedingung steht bei den Tagesabläufen, in einem anderen Skript.
instance DIA_Vogt_Alrik_ZollNochmal (C_INFO)
{
	npc			= VLK_7010_Alrik;
	nr			= 4;
	condition	= B_Vogt_ImDienst;
	information	= DIA_Vogt_Alrik_Zoll_Info;
	permanent	= TRUE;
	description	= "Noch einmal: Was kostet der Zoll?";
};

// ------------------------------------------------------------
//	Quittung
// ------------------------------------------------------------
instance DIA_Vogt_Alrik_Quittung (C_INFO)
{
	npc			= VLK_7010_Alrik;
	nr			= 5;
	condition	= DIA_Vogt_Alrik_Quittung_Condition;
	information	= DIA_Vogt_Alrik_Quittung_Info;
	description	= "Ich will eine Quittung.";
};

func int DIA_Vogt_Alrik_Quittung_Condition ()
{
	if (Npc_KnowsInfo (other, DIA_Vogt_Alrik_Steuer))
	&& (Vogt_SteuerBezahlt == TRUE)
	{
		return TRUE;
	};
};

func void DIA_Vogt_Alrik_Quittung_Info ()
{
	AI_Output (other, self, "DIA_Vogt_Alrik_Quittung_15_00"); //Ich will eine Quittung.
	AI_Output (self, other, "DIA_Vogt_Alrik_Quittung_09_01"); //Eine was?
	B_GiveInvItems (self, other, ItWr_Quittung, 1);
};

// ------------------------------------------------------------
//	Handel
// ------------------------------------------------------------
instance DIA_Vogt_Alrik_Trade (C_INFO)
{
	npc			= VLK_7010_Alrik;
	nr			= 6;
	condition	= DIA_Vogt_Alrik_Trade_Condition;
	information	= DIA_Vogt_Alrik_Trade_Info;
	permanent	= TRUE;
	trade		= TRUE;
	description	= "Zeig mir, was du beschlagnahmt hast.";
};

func int DIA_Vogt_Alrik_Trade_Condition ()
{
	return TRUE;
};

func void DIA_Vogt_Alrik_Trade_Info ()
{
	AI_Output (other, self, "DIA_Vogt_Alrik_Trade_15_00"); //Zeig mir, was du beschlagnahmt hast.
	B_GiveTradeInv (self);
};
