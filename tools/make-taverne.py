#!/usr/bin/env python3
"""Writes examples/Taverne.dlx, the example project `make run` opens.

Kept as a script so the example stays readable here and its bytes (Windows-1252, CR LF,
the 0x02 section markers) stay exact in the file."""
import pathlib

END, EOF = "\x02END", "\x02EOF"
lines = []

def out(*items):
    lines.extend(items)

def block(name, level, kind, id_, heading="", npc=None, nr=None, desc=None, perm=None,
          imp=None, trade=None, cond=None, body=(), known=()):
    out(name, str(level), str(kind), str(id_), heading)
    if kind == 1:
        out(npc, nr)
    if kind in (1, 3):
        out(desc)
    if kind in (1, 2):
        out("True" if perm else "False", "True" if imp else "False")
    if kind == 1:
        out("True" if trade else "False")
    if kind in (1, 2):
        out(*(cond or []), END)
    out(*body, END, *[str(k) for k in known], END)

out("var int Taverne_Bier;", END)
out("Wirt", "VLK_420_Wirt", "Hero", "PC_Hero", END)
out("Wirt", "0", "0")
block("Hallo", 1, 1, 0, heading="Der Wirt begrüßt jeden, der seine Taverne betritt",
      npc="Wirt", nr="1", desc="", perm=False, imp=True, trade=False,
      body=[">>Hallo, Wirt!", "<<Willkommen in meiner Taverne, Fremder."])
block("Arbeit", 1, 1, 1, npc="Wirt", nr="2", desc="Hast du Arbeit für mich?",
      perm=False, imp=False, trade=False, cond=["if (#!0#)"],
      body=[">>Hast du Arbeit für mich?", "<<Vielleicht. Kannst du kämpfen?",
            "++#2#", "++#3#", "++#4#", "++#6#"], known=[0])
block("Ja", 2, 3, 2, desc="Ja, ich kann kämpfen.",
      body=[">>Ja, ich kann kämpfen.", "<<Gut. Dann räum den Keller auf.",
            "Taverne_Bier = Taverne_Bier + 1;", "--", "++#1#, #9#"])
block("Keller", 3, 3, 9, desc="Wo ist der Keller?",
      body=[">>Wo ist der Keller?", "<<Die Treppe runter. Und jetzt geh.", "ENDE"])
block("Nein", 2, 3, 3, desc="Nein.", body=[">>Nein.", "<<Dann eben nicht.", "--"])
block("Zurueck", 2, 3, 4, desc="!DIALOG_BACK", body=["-- #1#"])
block("Bier", 1, 1, 5, npc="Wirt", nr="3", desc="Ein Bier, bitte!", perm=True, imp=False,
      trade=True, body=[">>Ein Bier, bitte!", "<<Macht zehn Goldstücke.", "Taverne_Bier += 1;"])
block("ENDE", 1, 1, 6, npc="Wirt", nr="999", desc="!DIALOG_ENDE", perm=True, imp=False,
      trade=False, body=["ENDE"])
out("Ereignisse", "0", "0")
block("Betrunken", 1, 2, 7, perm=False, imp=True, cond=["if (Taverne_Bier >= 3)"],
      body=['PrintScreen ("Du bist betrunken.", -1, -1, "font_old_20_white.tga", 3);'])
block("Stammgast", 1, 2, 10, perm=False, imp=False, cond=["if (#!5#)"],
      body=['PrintScreen ("Der Wirt kennt dich jetzt.", -1, -1, "font_old_20_white.tga", 3);'],
      known=[5])
block("Hilfen", 0, 4, 8, body=["func int Taverne_IstBetrunken ()", "{",
                              "\treturn Taverne_Bier >= 3;", "};"])
out(EOF, "1")

path = pathlib.Path(__file__).resolve().parent.parent / "examples" / "Taverne.dlx"
path.write_bytes("".join(l + "\r\n" for l in lines).encode("cp1252"))
