-- 删除平台的全部数据库，重新安装前运行
USE master
GO

IF EXISTS (SELECT name FROM master.dbo.sysdatabases WHERE name = N'QPAccountsDB')
DROP DATABASE [QPAccountsDB]
GO

IF EXISTS (SELECT name FROM master.dbo.sysdatabases WHERE name = N'QPPlatformDB')
DROP DATABASE [QPPlatformDB]
GO

IF EXISTS (SELECT name FROM master.dbo.sysdatabases WHERE name = N'QPTreasureDB')
DROP DATABASE [QPTreasureDB]
GO

IF EXISTS (SELECT name FROM master.dbo.sysdatabases WHERE name = N'QPRecordDB')
DROP DATABASE [QPRecordDB]
GO

