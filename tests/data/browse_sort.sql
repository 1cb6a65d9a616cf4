-- Headers whose values order in ways a shortcut could get wrong: long common beginnings,
-- one name the beginning of another, characters beyond the basic plane and in the
-- private use area, the empty text, NULLs, dates at the ends of the calendar, ties.
INSERT INTO title (cid, 购货单位名称, 开票日期, 小写金额, 发票号码) VALUES (1, '北京远山贸易有限公司第一分公司', '2010-03-01', 90000, 12);
INSERT INTO title (cid, 购货单位名称, 开票日期, 小写金额, 发票号码) VALUES (2, '北京远山贸易有限公司第二分公司', '2009-12-31', 1000000, 7);
INSERT INTO title (cid, 购货单位名称, 开票日期, 小写金额, 发票号码) VALUES (3, '北京远山贸易有限公司', NULL, 90000, NULL);
INSERT INTO title (cid, 购货单位名称, 开票日期, 小写金额, 发票号码) VALUES (4, '北京远山贸易有限公司第一分公司', '2010-03-01', NULL, 12);
INSERT INTO title (cid, 购货单位名称, 开票日期, 小写金额, 发票号码) VALUES (5, '北京远山贸易有限', '2011-01-01', -50000, 3);
INSERT INTO title (cid, 购货单位名称, 开票日期, 小写金额, 发票号码) VALUES (6, '😀超平面字符', '2009-01-01', 90000, 5);
INSERT INTO title (cid, 购货单位名称, 开票日期, 小写金额, 发票号码) VALUES (7, '私用区字符', '2012-05-05', 1, 5);
INSERT INTO title (cid, 购货单位名称, 开票日期, 小写金额, 发票号码) VALUES (8, 'ABCDEFGHIJ', '2012-05-05', 2, 100);
INSERT INTO title (cid, 购货单位名称, 开票日期, 小写金额, 发票号码) VALUES (9, 'ABCDEFGHI', '9999-12-31', 3, 100);
INSERT INTO title (cid, 购货单位名称, 开票日期, 小写金额, 发票号码) VALUES (10, '', '0001-01-01', 0, 0);
INSERT INTO title (cid, 购货单位名称, 开票日期, 小写金额, 发票号码) VALUES (11, NULL, '2012-05-05', 5, -1);
INSERT INTO title (cid, 购货单位名称, 开票日期, 小写金额, 发票号码) VALUES (12, 'ABCDEFGHIJ', '2012-05-05', 2, 100);
