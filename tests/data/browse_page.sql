-- Four invoices for the browse page. Invoice 4's stored total (999) differs from its lines
-- (1000), so the totals step alone changes it; texts that occur only in 备注 and only in
-- columns the search leaves out; invoice numbers that contain "12".
INSERT INTO title (cid, 发票号码, 购货单位名称, 收款人, 备注, 销货单位名称, 复核, 开票人, 小写金额, 大写金额)
VALUES (1, 1001, '远山贸易', '王收', ' ', '青石制造', '李核', '张开', 1170000, '壹佰壹拾柒圆整');
INSERT INTO title (cid, 发票号码, 购货单位名称, 收款人, 备注, 销货单位名称, 复核, 开票人, 小写金额, 大写金额)
VALUES (2, 1200, '海川商行', '王收', '样品只在备注', '卖方独有', '复核独有', '开票独有', 50000000, '伍仟圆整');
INSERT INTO title (cid, 发票号码, 购货单位名称, 收款人, 备注, 小写金额, 大写金额)
VALUES (3, 3412, 'ABC', '王收', ' ', 5000, '伍角');
INSERT INTO title (cid, 发票号码, 购货单位名称, 收款人, 备注, 小写金额, 大写金额)
VALUES (4, 2002, '青山', '王收', ' ', 9990000, '玖佰玖拾玖圆整');
INSERT INTO detail (id, cid, 货物应税名称, 数量, 单价, 金额, 税率, 税额) VALUES (1, 1, '钢管', 1, 117, 1170000, 0, 0);
INSERT INTO detail (id, cid, 货物应税名称, 数量, 单价, 金额, 税率, 税额) VALUES (2, 2, '阀门', 1, 2000, 20000000, 0, 0);
INSERT INTO detail (id, cid, 货物应税名称, 数量, 单价, 金额, 税率, 税额) VALUES (3, 2, '法兰', 1, 3000, 30000000, 0, 0);
INSERT INTO detail (id, cid, 货物应税名称, 数量, 单价, 金额, 税率, 税额) VALUES (4, 3, '螺丝', 1, 0.5, 5000, 0, 0);
INSERT INTO detail (id, cid, 货物应税名称, 数量, 单价, 金额, 税率, 税额) VALUES (5, 4, '轴承', 1, 500, 5000000, 0, 0);
INSERT INTO detail (id, cid, 货物应税名称, 数量, 单价, 金额, 税率, 税额) VALUES (6, 4, '电缆', 2, 250, 5000000, 0, 0);
