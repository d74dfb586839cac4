-- The bitches' seasons.
CREATE TABLE "seasons" (
  "seasonid" INTEGER PRIMARY KEY AUTOINCREMENT,
  "dogid" INTEGER,
  "firstday" TEXT, -- date, YYYY-MM-DD
  "lastday" TEXT, -- date, YYYY-MM-DD
  "mated" INTEGER,
  "seasonnote" TEXT
);
CREATE INDEX "seasondogids" ON "seasons" ("dogid");
