-- Headers for ordering: ties, a NULL total, amounts whose text order differs from their value.
BEGIN;
INSERT INTO title (cid, 发票号码, 购货单位名称, 开票日期, 是否收款, 小写金额) VALUES (1, 9, '乙公司', '2010-03-01', 1, 90000);
INSERT INTO title (cid, 发票号码, 购货单位名称, 开票日期, 是否收款, 小写金额) VALUES (2, 10, '甲公司', '2009-12-31', 0, 1000000);
INSERT INTO title (cid, 发票号码, 购货单位名称, 开票日期, 是否收款, 小写金额) VALUES (3, 100, NULL, NULL, 0, 90000);
INSERT INTO title (cid, 发票号码, 购货单位名称, 开票日期, 是否收款, 小写金额) VALUES (4, 8, '甲公司', '2010-03-01', 1, NULL);
INSERT INTO title (cid, 发票号码, 购货单位名称, 开票日期, 是否收款, 小写金额) VALUES (5, 7, 'ABC', '2011-01-01', 0, -50000);
INSERT INTO title (cid, 发票号码, 购货单位名称, 开票日期, 是否收款, 小写金额) VALUES (6, 11, '乙公司', '2009-01-01', 1, 90000);
COMMIT;
