-- The pups' weighings and how each pup was born.
CREATE TABLE "weights" (
  "weightid" INTEGER PRIMARY KEY AUTOINCREMENT,
  "dogid" INTEGER,
  "weighedat" TEXT,
  "grams" REAL
);
CREATE TABLE "whelping" (
  "whelpid" INTEGER PRIMARY KEY AUTOINCREMENT,
  "litterid" INTEGER,
  "dogid" INTEGER,
  "birthorder" INTEGER,
  "bornat" TEXT,
  "markings" TEXT,
  "collar" TEXT,
  "birthgrams" REAL,
  "bornalive" INTEGER
);
CREATE INDEX "weightdogids" ON "weights" ("dogid");
CREATE INDEX "whelpinglitterids" ON "whelping" ("litterid");
CREATE INDEX "whelpingdogids" ON "whelping" ("dogid");
