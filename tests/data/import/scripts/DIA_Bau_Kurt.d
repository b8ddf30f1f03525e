instance DIA_Kurt_Job (C_INFO)
{
    npc         = BAU_952_Kurt;
    nr          = 3;
    condition   = DIA_Kurt_Job_Condition;
    information = DIA_Kurt_Job_Info;
    permanent   = FALSE;
    description = "Hast du Arbeit für mich?";
};

func int DIA_Kurt_Job_Condition ()
{
    return 1;
};

func void DIA_Kurt_Job_Info ()
{
    AI_Output (hero, self, "DIA_Kurt_Job_15_00"); //Hast du Arbeit für mich?
    AI_Output (self, hero, "DIA_Kurt_Job_09_01"); //Vielleicht. Kannst du ernten?
    Info_ClearChoices (DIA_Kurt_Job);
    Info_AddChoice (DIA_Kurt_Job, "Ja.", DIA_Kurt_Job_Yes);
    Info_AddChoice (DIA_Kurt_Job, "Nein.", DIA_Kurt_Job_No);
};

func void DIA_Kurt_Job_Yes ()
{
    AI_Output (hero, self, "DIA_Kurt_Job_Yes_15_00"); //Ja.
    AI_Output (self, hero, "DIA_Kurt_Job_Yes_09_01"); //Dann fang an.
    Info_ClearChoices (DIA_Kurt_Job);
    Info_AddChoice (DIA_Kurt_Job, "Wieviel zahlst du?", DIA_Kurt_Job_Yes_Pay);
};

func void DIA_Kurt_Job_Yes_Pay ()
{
    AI_Output (hero, self, "DIA_Kurt_Job_Yes_Pay_15_00"); //Wieviel zahlst du?
    AI_Output (self, hero, "DIA_Kurt_Job_Yes_Pay_09_01"); //Zehn Gold am Tag.
    Info_ClearChoices (DIA_Kurt_Job);
};

func void DIA_Kurt_Job_No ()
{
    AI_Output (hero, self, "DIA_Kurt_Job_No_15_00"); //Nein.
    AI_StopProcessInfos (self);
};
