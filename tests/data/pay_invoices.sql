-- Invoices around March 2024 for the payment printouts: on both bounds of the month,
-- inside, before and after, paid and unpaid, one without a buyer; amounts in ten-thousandths.
INSERT INTO title (cid, 发票号码, 开票日期, 是否收款, 购货单位名称, 小写金额)
VALUES (1, 123, '2024-03-01', 0, '甲', 12345678900);
INSERT INTO title (cid, 发票号码, 开票日期, 是否收款, 购货单位名称, 小写金额)
VALUES (2, 999, '2024-03-15', 1, '乙', 5000000);
INSERT INTO title (cid, 发票号码, 开票日期, 是否收款, 购货单位名称, 小写金额)
VALUES (3, 1000, '2024-03-31', 0, '甲', 20005000);
INSERT INTO title (cid, 发票号码, 开票日期, 是否收款, 购货单位名称, 小写金额)
VALUES (4, 500, '2024-02-29', 0, '丙', 580000);
INSERT INTO title (cid, 发票号码, 开票日期, 是否收款, 购货单位名称, 小写金额)
VALUES (5, 777, '2024-04-01', 1, '乙', 1000000);
INSERT INTO title (cid, 发票号码, 开票日期, 是否收款, 购货单位名称, 小写金额)
VALUES (6, 42, '2024-03-10', 0, NULL, 100000);
