USE QPGameScoreDB
GO

SET QUOTED_IDENTIFIER ON
GO
SET ANSI_NULLS ON
GO

IF EXISTS (SELECT * FROM dbo.sysobjects WHERE id = OBJECT_ID(N'[dbo].[GSP_GR_LoadParameter]') AND OBJECTPROPERTY(id, N'IsProcedure') = 1)
DROP PROCEDURE [dbo].[GSP_GR_LoadParameter]
GO

-- 加载配置：房间参数
CREATE PROCEDURE GSP_GR_LoadParameter
	@wServerID INT
WITH ENCRYPTION AS

SET NOCOUNT ON

SELECT RevenueRate, MinEnterScore FROM QPGameScoreDB.dbo.GameServerConfig WHERE ServerID = @wServerID

RETURN 0
GO
