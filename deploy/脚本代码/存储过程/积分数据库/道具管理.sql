USE QPGameScoreDB
GO

SET QUOTED_IDENTIFIER ON
GO
SET ANSI_NULLS ON
GO

IF EXISTS (SELECT * FROM dbo.sysobjects WHERE id = OBJECT_ID(N'[dbo].[GSP_GR_UseProperty]') AND OBJECTPROPERTY(id, N'IsProcedure') = 1)
DROP PROCEDURE [dbo].[GSP_GR_UseProperty]
GO

-- 道具管理：使用道具
CREATE PROCEDURE GSP_GR_UseProperty
	@dwUserID INT,
	@dwPropertyID INT,
	@dwCount INT
WITH ENCRYPTION AS

SET NOCOUNT ON

BEGIN
	DECLARE @Owned INT
	SELECT @Owned = PropertyCount FROM UserProperty WHERE UserID = @dwUserID AND PropertyID = @dwPropertyID
	IF @Owned IS NULL OR @Owned < @dwCount
	BEGIN
		SELECT [ErrorDescribe] = N'道具数量不足！'
		RETURN 1
	END

	UPDATE UserProperty SET PropertyCount = PropertyCount - @dwCount
	WHERE UserID = @dwUserID AND PropertyID = @dwPropertyID
END

RETURN 0
GO
