-- The dogs' photos, and their results at shows with the titles they earned.
CREATE TABLE "photos" (
  "photoid" INTEGER PRIMARY KEY AUTOINCREMENT,
  "dogid" INTEGER,
  "photofile" TEXT,
  "caption" TEXT,
  "takenon" TEXT, -- date, YYYY-MM-DD
  "mainphoto" INTEGER
);
CREATE TABLE "showresults" (
  "resultid" INTEGER PRIMARY KEY AUTOINCREMENT,
  "dogid" INTEGER,
  "showdate" TEXT, -- date, YYYY-MM-DD
  "showname" TEXT,
  "judge" TEXT,
  "showclass" TEXT,
  "placing" TEXT,
  "award" TEXT,
  "title" TEXT,
  "titleshort" TEXT
);
CREATE INDEX "photodogids" ON "photos" ("dogid");
CREATE INDEX "showresultdogids" ON "showresults" ("dogid");
