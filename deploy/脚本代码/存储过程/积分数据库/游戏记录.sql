USE QPGameScoreDB
GO

SET QUOTED_IDENTIFIER ON
GO
SET ANSI_NULLS ON
GO

IF EXISTS (SELECT * FROM dbo.sysobjects WHERE id = OBJECT_ID(N'[dbo].[GSP_GR_RecordGameScore]') AND OBJECTPROPERTY(id, N'IsProcedure') = 1)
DROP PROCEDURE [dbo].[GSP_GR_RecordGameScore]
GO

-- 游戏记录：每局结束后记录
CREATE PROCEDURE GSP_GR_RecordGameScore
	@dwUserID INT,
	@wServerID INT,
	@wTableID INT,
	@lScore BIGINT,
	@lRevenue BIGINT,
	@dwPlayTimeCount INT
WITH ENCRYPTION AS

SET NOCOUNT ON

INSERT QPGameScoreDB.dbo.GameScoreRecord (UserID, ServerID, TableID, Score, Revenue, PlayTimeCount)
VALUES (@dwUserID, @wServerID, @wTableID, @lScore, @lRevenue, @dwPlayTimeCount)

RETURN 0
GO
