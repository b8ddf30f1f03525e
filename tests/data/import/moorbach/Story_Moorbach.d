// ************************************************************
//	Moorbach: Missionen, Preise, Schalter
// ************************************************************

var int MIS_Grimbald_Kohle;
var int MIS_Jorn_Netz;
var int MIS_Tarek_Wolf;
var int Grimbald_Lohn;
var int Bruno_Durchgelassen;

const string TOPIC_GrimbaldKohle	= "Kohle für Grimbald";
const string TOPIC_JornNetz			= "Ein Netz für Jorn";
const string TOPIC_TarekWolf		= "Der Leitwolf";

// Preise in Gold: Kohle, Fell, Zimmer
const int PREISE[3] = {30, 40, 10};
const string FISCHSORTEN[2] = {"Hering", "Aal"};
const float FANG_RATE = 5.99999991e-002;
const float MOOR_NEBEL = 1.0e-3;

// Schalter für Elkes Gäste
const int GAST_ZIMMER	= 1 << 0;
const int GAST_SUPPE	= 1 << 1;
const int GAST_SCHULDEN	= GAST_ZIMMER | (1 << 2);

// Tarek warnt den Helden und gibt zurück, ob der ihn gehört hat
func int B_Tarek_Warnung (var C_NPC hoerer)
{
	if (Npc_IsInState (hoerer, ZS_Talk))
	{
		return TRUE;
	};
	return FALSE;
};
