-- Both receipts gain the deposit and the balance left to pay.
ALTER TABLE "reciept" ADD COLUMN "deposit" INTEGER;
ALTER TABLE "reciept" ADD COLUMN "balancedue" INTEGER;
ALTER TABLE "largereciept" ADD COLUMN "deposit" INTEGER;
ALTER TABLE "largereciept" ADD COLUMN "balancedue" INTEGER;
