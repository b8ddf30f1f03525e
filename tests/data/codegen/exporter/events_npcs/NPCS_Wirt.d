//****************************************
//   NPCs
//****************************************

var C_NPC Wirt;
var C_NPC Koch_von_Khorinis;
var C_NPC Ein_sehr_langer_Name_ABC;

FUNC void INIT_NpcGlobals_Wirt()
{
	Wirt					= Hlp_GetNpc (VLK_Wirt);
	Koch_von_Khorinis		= Hlp_GetNpc (VLK_Koch_von_Khorinis);
	Ein_sehr_langer_Name_ABC= Hlp_GetNpc (VLK_Ein_sehr_langer_Name_ABC);
};
