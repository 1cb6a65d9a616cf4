-- Invoices for the print commands. Their 小写金额 and 大写金额 are recomputed from the lines
-- when the lines open, so the stored totals here do not matter.
--   1  no lines
--   2  three lines: NULL and empty 规格型号 (model), NULL rate, 12.3456, 1234.5, 2.005;
--      the seller's name on two lines; every header field filled
--   3  eight lines
--   4  ten lines
--   5  sixty lines, entered out of name order
--   6  total 1234.5
--   7  total -12.3
INSERT INTO title (cid, 发票号码, 中文日期, 购货单位名称, 销货单位名称) VALUES (1, 1001, '2024年01月01日', '空发票买方', '空发票卖方');
INSERT INTO title (cid, 发票号码, 检验码, 密码1, 密码2, 密码3, 密码4, 密码5, 密码6, 密码7, 密码8, 开票日期, 中文日期,
    购货单位名称, 购货纳税人识别号, 购货单位地址, 购货单位银行, 销货单位名称, 销货纳税人识别号, 销货单位地址,
    销货单位银行, 收款人, 复核, 开票人, 备注1, 备注2, 备注3, 备注4, 是否打印格式, oth1, oth2, oth3)
VALUES (2, 20240002, '61234567890123456789', '<1>3*4-7/+>2<8>04+*91-9/*<3', '2+1>7>+2*<06-3<5>+/*7>9-2', '3<>*+-12/84<5>90*7-+/<36', '4*<<09+-/3>17>2-*8+<56', '5+*-<>21/8>94<*3-70+6/', '6/-*+<>51>28<93-*74+0', '7>*-+<5/26>1<84-*93+0/', '8<+*->4/35>29<16-*70+',
    '2024-03-05', '2024年03月05日', '远山贸易有限公司', '110101000000001', '北京市东城区一号 010-1234',
    '工商银行 6222', '青石制造' || char(10) || '有限公司', '330101000000009', '杭州市西湖路9号 0571-8888',
    '建设银行 4367', '王收', '李核', '张开', '合同 2024-03', '备注二', '备注三', '备注四', 0, '3300241130', '91330100', '代开公司');
INSERT INTO detail (id, cid, 货物应税名称, 规格型号, 单位, 数量, 单价, 金额, 税率, 税额) VALUES (1, 2, '钢管', NULL, '米', 3, 12.3456, 12345000, 17, 20050);
INSERT INTO detail (id, cid, 货物应税名称, 规格型号, 单位, 数量, 单价, 金额, 税率, 税额) VALUES (2, 2, '阀门', '', '个', 2.5, 100, 2500000, NULL, 0);
INSERT INTO detail (id, cid, 货物应税名称, 规格型号, 单位, 数量, 单价, 金额, 税率, 税额) VALUES (3, 2, '法兰', 'PN16', '片', 0, 0, 0, 6.5, 0);

INSERT INTO title (cid, 发票号码, 中文日期, 购货单位名称, 销货单位名称) VALUES (3, 1003, '2024年01月03日', '八行买方', '八行卖方');
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 8)
INSERT INTO detail (cid, 货物应税名称, 规格型号, 单位, 数量, 单价, 金额, 税率, 税额)
SELECT 3, '八行货物' || i, 'G' || i, '件', i, 10, i * 100000, 13, i * 13000 FROM n;

INSERT INTO title (cid, 发票号码, 中文日期, 购货单位名称, 销货单位名称) VALUES (4, 1004, '2024年01月04日', '十行买方', '十行卖方');
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10)
INSERT INTO detail (cid, 货物应税名称, 规格型号, 单位, 数量, 单价, 金额, 税率, 税额)
SELECT 4, '十行货物' || i, 'T' || i, '箱', 1, 100, 1000000, 13, 130000 FROM n;

-- Names run backwards against the entry order: 货物60 is entered first.
INSERT INTO title (cid, 发票号码, 中文日期, 购货单位名称, 销货单位名称, oth1, oth2, oth3) VALUES (5, 20240005, '2024年05月05日', '清单买方有限公司', '清单卖方有限公司', '3300241130', '91330100', '代开公司');
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 60)
INSERT INTO detail (cid, 货物应税名称, 规格型号, 单位, 数量, 单价, 金额, 税率, 税额)
SELECT 5, '货物' || printf('%02d', 61 - i), 'S' || i, '个', i, 12.5, 1000000 + i * 12300, 13, (100 + i) * 1300 FROM n;

INSERT INTO title (cid, 发票号码, 中文日期) VALUES (6, 1006, '2024年01月06日');
INSERT INTO detail (cid, 货物应税名称, 数量, 单价, 金额, 税率, 税额) VALUES (6, '整数', 1, 1000, 10000000, 23.45, 2345000);
INSERT INTO title (cid, 发票号码, 中文日期) VALUES (7, 1007, '2024年01月07日');
INSERT INTO detail (cid, 货物应税名称, 数量, 单价, 金额, 税率, 税额) VALUES (7, '退货', -1, 10, -100000, 23, -23000);
