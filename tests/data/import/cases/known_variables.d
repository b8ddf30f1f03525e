instance DIA_IMPORT_HALLO (C_INFO)
{
	npc			= VLK_400_Wirt;
	condition	= DIA_IMPORT_HALLO_condition;
	information	= DIA_IMPORT_HALLO_info;
	permanent	= TRUE;
	description	= "Hallo";
};

FUNC int DIA_IMPORT_HALLO_condition()
{
	return TRUE;
};

FUNC void DIA_IMPORT_HALLO_info()
{
	Bekannt_DIA_IMPORT_HALLO = TRUE;
	
	// Gruﬂ
	AI_Output (other, self, "DIA_IMPORT_HALLO_00"); //Hallo
};
instance DIA_IMPORT_WEITER (C_INFO)
{
	npc	= VLK_400_Wirt;
	condition	= DIA_IMPORT_WEITER_Condition;
	information	= DIA_IMPORT_WEITER_Info;
};

func int DIA_IMPORT_WEITER_Condition ()
{
	if (Bekannt_DIA_IMPORT_HALLO) { return TRUE; };
};

func void DIA_IMPORT_WEITER_Info ()
{
	bekannt_dia_import_hallo = FALSE;
};
FUNC void EVT_X()
{
	if (Bekannt_EVT_X == FALSE)
	{
		Bekannt_EVT_X = TRUE;
	};
};
var int Vorher;

//--------------------------------

var int Bekannt_DIA_IMPORT_HALLO;
var int Bekannt_EVT_X;
