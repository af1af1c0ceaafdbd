USE QPGameScoreDB
GO

SET QUOTED_IDENTIFIER ON
GO
SET ANSI_NULLS ON
GO

IF EXISTS (SELECT * FROM dbo.sysobjects WHERE id = OBJECT_ID(N'[dbo].[GSP_GR_LeaveGameServer]') AND OBJECTPROPERTY(id, N'IsProcedure') = 1)
DROP PROCEDURE [dbo].[GSP_GR_LeaveGameServer]
GO

-- 离开房间：解除锁定并记录游戏时长
CREATE PROCEDURE GSP_GR_LeaveGameServer
	@dwUserID INT,
	@wServerID INT,
	@dwPlayTimeCount INT
WITH ENCRYPTION AS

SET NOCOUNT ON

BEGIN
	UPDATE GameScoreInfo SET PlayTimeCount = PlayTimeCount + @dwPlayTimeCount WHERE UserID = @dwUserID
	DELETE GameScoreLocker WHERE UserID = @dwUserID AND ServerID = @wServerID
END

RETURN 0
GO
