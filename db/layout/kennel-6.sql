-- Progesterone tests in the seasons.
CREATE TABLE "progesterone" (
  "progid" INTEGER PRIMARY KEY AUTOINCREMENT,
  "seasonid" INTEGER,
  "takenat" TEXT,
  "progvalue" REAL,
  "progunit" TEXT,
  "laboratory" TEXT
);
CREATE INDEX "progesteroneseasonids" ON "progesterone" ("seasonid");
