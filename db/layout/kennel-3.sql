-- The dogs of each owner, found without reading every dog; what falls due found by month
-- and year, not by month alone; and the birthdays read from their index alone.
DROP INDEX IF EXISTS "birthmonths";
DROP INDEX IF EXISTS "vaccinationmonths";
DROP INDEX IF EXISTS "littermonths";
CREATE INDEX "birthmonths" ON "Dogtable" (substr("dob", 6, 2), "dob", "name");
CREATE INDEX "vaccinationmonths" ON "vaccination" (substr("due", 6, 2), substr("due", 1, 4));
CREATE INDEX "littermonths" ON "mating" (substr("datedue", 6, 2), substr("datedue", 1, 4));
CREATE INDEX "dogowners" ON "Dogtable" ("ownerid" COLLATE NOCASE);
