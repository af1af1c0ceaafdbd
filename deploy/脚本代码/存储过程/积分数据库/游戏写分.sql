USE QPGameScoreDB
GO

SET QUOTED_IDENTIFIER ON
GO
SET ANSI_NULLS ON
GO

IF EXISTS (SELECT * FROM dbo.sysobjects WHERE id = OBJECT_ID(N'[dbo].[GSP_GR_WriteGameScore]') AND OBJECTPROPERTY(id, N'IsProcedure') = 1)
DROP PROCEDURE [dbo].[GSP_GR_WriteGameScore]
GO

-- 游戏写分：更新用户积分与输赢局数
CREATE PROCEDURE GSP_GR_WriteGameScore
	@dwUserID INT,
	@lScore BIGINT,
	@lWinCount INT,
	@lLostCount INT,
	@lDrawCount INT,
	@lFleeCount INT
WITH ENCRYPTION AS

SET NOCOUNT ON

UPDATE QPGameScoreDB.dbo.GameScoreInfo
SET Score = Score + @lScore, WinCount = WinCount + @lWinCount, LostCount = LostCount + @lLostCount,
	DrawCount = DrawCount + @lDrawCount, FleeCount = FleeCount + @lFleeCount
WHERE UserID = @dwUserID

RETURN 0
GO
