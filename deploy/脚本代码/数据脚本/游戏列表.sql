-- 游戏列表：每个游戏一行，积分库名称与服务组件文件名由脚本创建工具读取
USE QPPlatformDB
GO

SET NOCOUNT ON
GO

TRUNCATE TABLE [GameGameItem]
GO

-- 编号, 名称, 服务地址, 数据库名称, 服务组件
INSERT [GameGameItem] VALUES ( 200, N'斗地主', N'10.0.0.5', N'LandScoreDB', N'LandServer.dll')
INSERT [GameGameItem] VALUES ( 215, N'四川麻将', N'10.0.0.5', N'SCMahjongScoreDB', N'SCMahjongServer.dll')
INSERT [GameGameItem] VALUES ( 100, N'欢乐斗牛', N'10.0.0.5', N'QPTreasureDB', N'OxServer.dll')
INSERT [GameGameItem] VALUES ( 302, N'中国象棋', N'10.0.0.6', N'ChessScoreDB', N'ChessServer.dll')
INSERT [GameGameItem] VALUES ( 404, N'升级', N'10.0.0.6', N'UpGradeScoreDB', N'UpGradeServer.dll')
INSERT [GameGameItem] VALUES ( 510, N'梭哈', N'10.0.0.7', N'ShowHandScoreDB', N'ShowHandServer.dll')
GO

SET NOCOUNT OFF
GO
