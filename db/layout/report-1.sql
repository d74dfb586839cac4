-- The report file as it stood when versions began to be kept.
CREATE TABLE "pedigreedata" (
  "dogname" TEXT,
  "breedername" TEXT,
  "dogbreed" TEXT,
  "dob" TEXT,
  "colour" TEXT,
  "cob" TEXT,
  "dogsex" TEXT,
  "1s1" TEXT,
  "1d1" TEXT,
  "2s1" TEXT,
  "2d1" TEXT,
  "2s2" TEXT,
  "2d2" TEXT,
  "3s1" TEXT,
  "3d1" TEXT,
  "3s2" TEXT,
  "3d2" TEXT,
  "3s3" TEXT,
  "3d3" TEXT,
  "3s4" TEXT,
  "3d4" TEXT
);
CREATE TABLE "sales" (
  "salesid" INTEGER PRIMARY KEY AUTOINCREMENT,
  "prevowner" TEXT,
  "sellamount" INTEGER, -- amount in cents
  "breed" TEXT,
  "colour" TEXT,
  "dob" TEXT,
  "reg" TEXT,
  "prefix" TEXT,
  "salesdate" TEXT, -- date, YYYY-MM-DD
  "dogsold" TEXT,
  "soldto" TEXT,
  "sex" TEXT
);
CREATE TABLE "reciept" (
  "prevowner" TEXT,
  "sellamount" INTEGER, -- amount in cents
  "breed" TEXT,
  "colour" TEXT,
  "dob" TEXT,
  "reg" TEXT,
  "prefix" TEXT,
  "salesdate" TEXT, -- date, YYYY-MM-DD
  "dogsold" TEXT,
  "soldto" TEXT,
  "sex" TEXT,
  "salesnumber" INTEGER
);
CREATE TABLE "largereciept" (
  "saleamount" INTEGER, -- amount in cents
  "dogbreed" TEXT,
  "colour" TEXT,
  "dob" TEXT,
  "datesold" TEXT, -- date, YYYY-MM-DD
  "dogname" TEXT,
  "soldto" TEXT,
  "dogsex" TEXT,
  "1s1" TEXT,
  "1d1" TEXT,
  "2s1" TEXT,
  "2d1" TEXT,
  "2s2" TEXT,
  "2d2" TEXT,
  "3s1" TEXT,
  "3d1" TEXT,
  "3s2" TEXT,
  "3d2" TEXT,
  "3s3" TEXT,
  "3d3" TEXT,
  "3s4" TEXT,
  "3d4" TEXT,
  "recid" INTEGER
);
