//****************************************
//   NPCs
//****************************************

var C_NPC Wirt;

FUNC void INIT_NpcGlobals_Taverne()
{
	Wirt					= Hlp_GetNpc (VLK_420_Wirt);
};
