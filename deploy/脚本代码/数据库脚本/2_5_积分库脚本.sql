-- 积分数据库：数据表
USE QPGameScoreDB
GO

-- 用户积分
CREATE TABLE [dbo].[GameScoreInfo] (
	[UserID] [int] NOT NULL,
	[Score] [bigint] NOT NULL CONSTRAINT [DF_GameScoreInfo_Score] DEFAULT (0),
	[WinCount] [int] NOT NULL CONSTRAINT [DF_GameScoreInfo_WinCount] DEFAULT (0),
	[LostCount] [int] NOT NULL CONSTRAINT [DF_GameScoreInfo_LostCount] DEFAULT (0),
	[DrawCount] [int] NOT NULL CONSTRAINT [DF_GameScoreInfo_DrawCount] DEFAULT (0),
	[FleeCount] [int] NOT NULL CONSTRAINT [DF_GameScoreInfo_FleeCount] DEFAULT (0),
	[PlayTimeCount] [int] NOT NULL CONSTRAINT [DF_GameScoreInfo_PlayTimeCount] DEFAULT (0),
	[LastLogonDate] [datetime] NOT NULL CONSTRAINT [DF_GameScoreInfo_LastLogonDate] DEFAULT (GETDATE()),
	CONSTRAINT [PK_GameScoreInfo] PRIMARY KEY CLUSTERED ([UserID])
)
GO

-- 在线锁定：用户进入房间时写入，离开时删除
CREATE TABLE [dbo].[GameScoreLocker] (
	[UserID] [int] NOT NULL,
	[ServerID] [int] NOT NULL,
	[EnterDate] [datetime] NOT NULL CONSTRAINT [DF_GameScoreLocker_EnterDate] DEFAULT (GETDATE()),
	CONSTRAINT [PK_GameScoreLocker] PRIMARY KEY CLUSTERED ([UserID])
)
GO

-- 游戏记录
CREATE TABLE [dbo].[GameScoreRecord] (
	[RecordID] [int] IDENTITY (1, 1) NOT NULL,
	[UserID] [int] NOT NULL,
	[ServerID] [int] NOT NULL,
	[TableID] [int] NOT NULL,
	[Score] [bigint] NOT NULL,
	[Revenue] [bigint] NOT NULL CONSTRAINT [DF_GameScoreRecord_Revenue] DEFAULT (0),
	[PlayTimeCount] [int] NOT NULL,
	[RecordDate] [datetime] NOT NULL CONSTRAINT [DF_GameScoreRecord_RecordDate] DEFAULT (GETDATE()),
	CONSTRAINT [PK_GameScoreRecord] PRIMARY KEY CLUSTERED ([RecordID])
)
GO

-- 列表配置与列表描述
CREATE TABLE [dbo].[GameColumnItem] (
	[SortID] [int] NOT NULL,
	[ColumnName] [nvarchar] (16) NOT NULL,
	[ColumnWidth] [tinyint] NOT NULL,
	[DataDescribe] [tinyint] NOT NULL,
	CONSTRAINT [PK_GameColumnItem] PRIMARY KEY CLUSTERED ([SortID])
)
GO

-- 道具配置
CREATE TABLE [dbo].[GameProperty] (
	[PropertyID] [int] NOT NULL,
	[PropertyName] [nvarchar] (32) NOT NULL,
	[Price] [bigint] NOT NULL,
	[Nullity] [tinyint] NOT NULL CONSTRAINT [DF_GameProperty_Nullity] DEFAULT (0),
	CONSTRAINT [PK_GameProperty] PRIMARY KEY CLUSTERED ([PropertyID])
)
GO

-- 用户道具
CREATE TABLE [dbo].[UserProperty] (
	[UserID] [int] NOT NULL,
	[PropertyID] [int] NOT NULL,
	[PropertyCount] [int] NOT NULL,
	CONSTRAINT [PK_UserProperty] PRIMARY KEY CLUSTERED ([UserID], [PropertyID])
)
GO

-- 机器用户
CREATE TABLE [dbo].[AndroidUserInfo] (
	[UserID] [int] NOT NULL,
	[ServerID] [int] NOT NULL,
	[Nullity] [tinyint] NOT NULL CONSTRAINT [DF_AndroidUserInfo_Nullity] DEFAULT (0),
	CONSTRAINT [PK_AndroidUserInfo] PRIMARY KEY CLUSTERED ([UserID], [ServerID])
)
GO

-- 房间配置
CREATE TABLE [dbo].[GameServerConfig] (
	[ServerID] [int] NOT NULL,
	[RevenueRate] [int] NOT NULL CONSTRAINT [DF_GameServerConfig_RevenueRate] DEFAULT (0),
	[MinEnterScore] [bigint] NOT NULL CONSTRAINT [DF_GameServerConfig_MinEnterScore] DEFAULT (0),
	CONSTRAINT [PK_GameServerConfig] PRIMARY KEY CLUSTERED ([ServerID])
)
GO

-- 系统消息
CREATE TABLE [dbo].[SystemMessage] (
	[MessageID] [int] IDENTITY (1, 1) NOT NULL,
	[ServerID] [int] NOT NULL,
	[MessageString] [nvarchar] (512) NOT NULL,
	[Nullity] [tinyint] NOT NULL CONSTRAINT [DF_SystemMessage_Nullity] DEFAULT (0),
	CONSTRAINT [PK_SystemMessage] PRIMARY KEY CLUSTERED ([MessageID])
)
GO

-- 默认列表
INSERT [GameColumnItem] VALUES (1, N'用户名', 100, 1)
INSERT [GameColumnItem] VALUES (2, N'积分', 60, 2)
INSERT [GameColumnItem] VALUES (3, N'胜局', 50, 3)
INSERT [GameColumnItem] VALUES (4, N'输局', 50, 4)
GO
