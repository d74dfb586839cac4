-- The change log, which keeps what the user changed so that it can be undone, and the
-- indexes that find the records naming a dog.
CREATE TABLE "changesets" (
  "changesetid" INTEGER PRIMARY KEY AUTOINCREMENT,
  "changedat" TEXT,
  "what" TEXT
);
CREATE TABLE "changelog" (
  "changeid" INTEGER PRIMARY KEY AUTOINCREMENT,
  "changeset" INTEGER,
  "tablename" TEXT,
  "record" INTEGER,
  "field" TEXT,
  "kind" TEXT,
  "oldvalue",
  "newvalue"
);
CREATE INDEX "changesofset" ON "changelog" ("changeset");
CREATE INDEX "changesofrecord" ON "changelog" ("tablename", "record");
CREATE INDEX "dogsires" ON "Dogtable" ("sire" COLLATE NOCASE);
CREATE INDEX "dogdams" ON "Dogtable" ("dam" COLLATE NOCASE);
CREATE INDEX "matingsires" ON "mating" ("dgname1" COLLATE NOCASE);
CREATE INDEX "littersires" ON "litters" ("sire" COLLATE NOCASE);
CREATE INDEX "litterdams" ON "litters" ("dam" COLLATE NOCASE);
CREATE INDEX "vaccinationdogs" ON "vaccination" ("dogname" COLLATE NOCASE);
CREATE INDEX "vaccinationdogids" ON "vaccination" ("dogid");
CREATE INDEX "notedogids" ON "notes" ("Dogid");
