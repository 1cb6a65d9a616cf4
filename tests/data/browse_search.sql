-- Headers for the search: numbers that contain the typed digits, Latin letters in both
-- cases, a text only in 备注, texts only in columns the search leaves out, a header with
-- all searched columns NULL, wildcard characters, a quote and a backslash in the data.
INSERT INTO title (cid, 发票号码, 购货单位名称, 购货单位银行, 购货单位地址, 购货纳税人识别号, 收款人, 备注,
    销货单位名称, 复核, 开票人, 小写金额)
VALUES (1, 1200, '远山贸易', '工商银行 6222', '北京市 010-1234', '91110101MA01ABCD', '王收', ' ',
    '青石制造', '李核', '张开', 1170000);
INSERT INTO title (cid, 发票号码, 购货单位名称, 购货单位银行, 购货单位地址, 购货纳税人识别号, 收款人, 备注,
    销货单位名称, 复核, 开票人, 小写金额)
VALUES (2, 3412, 'ABC Trading', NULL, NULL, NULL, NULL, '只在备注里', '卖方独有', '复核独有', '开票独有', 50000);
INSERT INTO title (cid, 销货单位名称, 复核, 小写金额) VALUES (3, '无名', '无名', 9990000);
INSERT INTO title (cid, 发票号码, 购货单位名称, 购货单位银行, 购货单位地址, 购货纳税人识别号, 收款人, 备注, 小写金额)
VALUES (4, 12.5, '100% 纯棉_布', 'O''Brien 银行', 'C:\路径', 'x', 'É先生', '', 0);
INSERT INTO title (cid, 购货单位名称, 收款人, 备注, 小写金额) VALUES (5, 'abc小写', 'é先生', ' ', 33340000);
