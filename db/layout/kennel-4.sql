-- Health tests with each dog's results, found by dog and by test; a new kennel starts with
-- the tests most breeds are screened for.
CREATE TABLE "healthtests" (
  "testid" INTEGER PRIMARY KEY AUTOINCREMENT,
  "testname" TEXT,
  "testkind" TEXT,
  "inheritance" TEXT,
  "frequency" REAL,
  "hidden" INTEGER
);
CREATE TABLE "healthresults" (
  "resultid" INTEGER PRIMARY KEY AUTOINCREMENT,
  "dogid" INTEGER,
  "testid" INTEGER,
  "tested" TEXT, -- date, YYYY-MM-DD
  "result" TEXT,
  "score" REAL,
  "examiner" TEXT,
  "certificate" TEXT,
  "resultnote" TEXT
);
CREATE INDEX "healthresultdogids" ON "healthresults" ("dogid");
CREATE INDEX "healthresulttestids" ON "healthresults" ("testid");
INSERT INTO "healthtests" ("testname", "testkind", "inheritance", "hidden") VALUES
('Hips', 'Examination', NULL, 0),
('Elbows', 'Examination', NULL, 0),
('Eyes', 'Examination', NULL, 0),
('Heart', 'Examination', NULL, 0),
('Patellas', 'Examination', NULL, 0),
('Hearing', 'Examination', NULL, 0),
('PRA-prcd', 'DNA', 'Recessive', 0),
('DM', 'DNA', 'Recessive', 0),
('CEA', 'DNA', 'Recessive', 0),
('EIC', 'DNA', 'Recessive', 0),
('MDR1', 'DNA', 'Recessive', 0);
