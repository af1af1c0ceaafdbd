-- 积分数据库：建库
USE master
GO

IF EXISTS (SELECT name FROM master.dbo.sysdatabases WHERE name = N'QPGameScoreDB')
DROP DATABASE [QPGameScoreDB]
GO

CREATE DATABASE [QPGameScoreDB]
COLLATE Chinese_PRC_CI_AS
GO

ALTER DATABASE [QPGameScoreDB] SET RECOVERY SIMPLE
GO
