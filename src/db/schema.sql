-- The store of Kelvane: every table the program reads or writes.
--
-- Declared types carry meaning for the dataset layer (docs/store.md):
--   INTEGER PRIMARY KEY AUTOINCREMENT  counter, never reused
--   INTEGER      whole number (64-bit)
--   DOUBLE       floating point
--   CURRENCY     exact money: a 64-bit count of ten-thousandths
--   BOOLEAN      0 or 1, never NULL
--   DATE         ISO text YYYY-MM-DD
--   VARCHAR(n)   text of at most n characters (checked by the program)
--   TEXT         text without a limit of the program's own

CREATE TABLE title (
    cid INTEGER PRIMARY KEY AUTOINCREMENT,
    发票号码 INTEGER,
    发票号码2 TEXT,
    发票号码3 TEXT,
    发票号码4 TEXT,
    发票号码5 TEXT,
    发票号码6 TEXT,
    发票号码7 TEXT,
    发票号码8 TEXT,
    检验码 TEXT,
    密码1 TEXT,
    密码2 TEXT,
    密码3 TEXT,
    密码4 TEXT,
    密码5 TEXT,
    密码6 TEXT,
    密码7 TEXT,
    密码8 TEXT,
    开票日期 DATE,
    中文日期 TEXT,
    是否收款 BOOLEAN NOT NULL DEFAULT 0 CHECK (是否收款 IN (0, 1)),
    购货单位名称 TEXT,
    购货纳税人识别号 TEXT,
    购货单位地址 TEXT,
    购货单位银行 TEXT,
    销货单位名称 TEXT,
    销货纳税人识别号 TEXT,
    销货单位地址 TEXT,
    销货单位银行 TEXT,
    收款人 TEXT,
    复核 TEXT,
    开票人 TEXT,
    备注 TEXT,
    备注1 TEXT,
    备注2 TEXT,
    备注3 TEXT,
    备注4 TEXT,
    小写金额 CURRENCY,
    大写金额 TEXT,
    是否打印格式 BOOLEAN NOT NULL DEFAULT 0 CHECK (是否打印格式 IN (0, 1)),
    oth1 TEXT,
    oth2 TEXT,
    oth3 TEXT
);

CREATE TABLE detail (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    cid INTEGER,
    货物应税名称 VARCHAR(250),
    规格型号 VARCHAR(50),
    单位 VARCHAR(20),
    数量 DOUBLE,
    单价 DOUBLE,
    金额 CURRENCY,
    税率 DOUBLE,
    税额 CURRENCY,
    其它1 VARCHAR(50),
    其它2 VARCHAR(50),
    其它3 VARCHAR(50),
    其它4 DOUBLE,
    其它5 DOUBLE,
    其它6 DOUBLE
);
CREATE INDEX detail_cid ON detail (cid);

CREATE TABLE 购货单位 (
    单位名称 VARCHAR(255),
    纳税人识别号 TEXT,
    地址电话 TEXT,
    开户行及帐号 TEXT
);

CREATE TABLE 销货单位 (
    单位名称 VARCHAR(255),
    纳税人识别号 TEXT,
    地址电话 TEXT,
    开户行及帐号 TEXT
);

CREATE TABLE fpdz (
    fpdz TEXT
);

CREATE TABLE fpset1 (
    id INTEGER
);

CREATE TABLE fpset2 (
    id INTEGER
);

CREATE TABLE fpset3 (
    id INTEGER
);

CREATE TABLE qry1 (
    cid INTEGER,
    hcom TEXT,
    tje CURRENCY
);

CREATE TABLE qry3 (
    cid INTEGER,
    hcom TEXT,
    tje CURRENCY
);
