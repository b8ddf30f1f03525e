// Gibt Gold
func int Test (var int a)
{
	return a;
};
instance ItMi_Stone (C_ITEM) { name = "Stein"; };
func void B_Nothing () {
    B_Say (self, other, "$NO");
};
