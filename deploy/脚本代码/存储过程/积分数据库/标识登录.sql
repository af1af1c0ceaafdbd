USE QPGameScoreDB
GO

SET QUOTED_IDENTIFIER ON
GO
SET ANSI_NULLS ON
GO

IF EXISTS (SELECT * FROM dbo.sysobjects WHERE id = OBJECT_ID(N'[dbo].[GSP_GR_EfficacyUserID]') AND OBJECTPROPERTY(id, N'IsProcedure') = 1)
DROP PROCEDURE [dbo].[GSP_GR_EfficacyUserID]
GO

-- 标识登录：用户进入房间时校验并锁定
CREATE PROCEDURE GSP_GR_EfficacyUserID
	@dwUserID INT,
	@wServerID INT
WITH ENCRYPTION AS

SET NOCOUNT ON

BEGIN
	IF EXISTS (SELECT UserID FROM GameScoreLocker WHERE UserID = @dwUserID AND ServerID <> @wServerID)
	BEGIN
		SELECT [ErrorDescribe] = N'您正在其他房间游戏，请先退出后再进入！'
		RETURN 1
	END

	IF NOT EXISTS (SELECT UserID FROM GameScoreInfo WHERE UserID = @dwUserID)
		INSERT GameScoreInfo (UserID) VALUES (@dwUserID)

	DELETE GameScoreLocker WHERE UserID = @dwUserID
	INSERT GameScoreLocker (UserID, ServerID) VALUES (@dwUserID, @wServerID)

	UPDATE GameScoreInfo SET LastLogonDate = GETDATE() WHERE UserID = @dwUserID

	SELECT UserID, Score, WinCount, LostCount, DrawCount, FleeCount, PlayTimeCount
	FROM QPGameScoreDB.dbo.GameScoreInfo WHERE UserID = @dwUserID
END

RETURN 0
GO
