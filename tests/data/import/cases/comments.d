/* Der Wirt */
// Hallo
instance DIA_Wirt_Hallo (C_INFO)
{
	npc = VLK_400_Wirt; // wer
	// wann
	condition = DIA_Wirt_Hallo_Condition;
	information = DIA_Wirt_Hallo_Info;
};
func int DIA_Wirt_Hallo_Condition () { return TRUE; };
// Was er sagt
func void DIA_Wirt_Hallo_Info ()
{
	// Begrüßung
	AI_Output (self, other, "S"); //Na?
};
// Ende der Datei
