-- Buyers and the kennel's money: the waiting list, deposits, accounts and contracts. The
-- contacts are first given their number ("contactid"), which these link them by.
CREATE TABLE "waitinglist" (
  "entryid" INTEGER PRIMARY KEY AUTOINCREMENT,
  "contactid" INTEGER,
  "enquired" TEXT, -- date, YYYY-MM-DD
  "wantsex" TEXT,
  "wantcolour" TEXT,
  "wantbreed" TEXT,
  "litterid" INTEGER,
  "status" TEXT,
  "pickorder" INTEGER,
  "dogid" INTEGER,
  "entrynote" TEXT
);
CREATE TABLE "deposits" (
  "depositid" INTEGER PRIMARY KEY AUTOINCREMENT,
  "entryid" INTEGER,
  "amount" INTEGER, -- amount in cents
  "paidon" TEXT, -- date, YYYY-MM-DD
  "method" TEXT,
  "outcome" TEXT,
  "litterid" INTEGER,
  "salesid" INTEGER,
  "refundedon" TEXT, -- date, YYYY-MM-DD
  "refundamount" INTEGER -- amount in cents
);
CREATE TABLE "accounts" (
  "accountid" INTEGER PRIMARY KEY AUTOINCREMENT,
  "entrydate" TEXT, -- date, YYYY-MM-DD
  "amount" INTEGER, -- amount in cents
  "kind" TEXT,
  "category" TEXT,
  "note" TEXT,
  "dogid" INTEGER,
  "litterid" INTEGER,
  "contactid" INTEGER,
  "source" TEXT,
  "sourceid" INTEGER
);
CREATE TABLE "contracts" (
  "contractid" INTEGER PRIMARY KEY AUTOINCREMENT,
  "salesid" INTEGER,
  "dogid" INTEGER,
  "contactid" INTEGER,
  "issuedon" TEXT, -- date, YYYY-MM-DD
  "contracttext" TEXT
);
CREATE INDEX "waitingcontactids" ON "waitinglist" ("contactid");
CREATE INDEX "waitinglitterids" ON "waitinglist" ("litterid");
CREATE INDEX "waitingdogids" ON "waitinglist" ("dogid");
CREATE INDEX "depositentryids" ON "deposits" ("entryid");
CREATE INDEX "accountdates" ON "accounts" ("entrydate");
CREATE INDEX "accountsources" ON "accounts" ("source", "sourceid");
CREATE INDEX "accountcategories" ON "accounts" ("category" COLLATE NOCASE);
CREATE INDEX "accountlitterids" ON "accounts" ("litterid");
CREATE INDEX "accountdogids" ON "accounts" ("dogid");
CREATE INDEX "accountcontactids" ON "accounts" ("contactid");
CREATE INDEX "contractsalesids" ON "contracts" ("salesid");
