USE QPGameScoreDB
GO

SET QUOTED_IDENTIFIER ON
GO
SET ANSI_NULLS ON
GO

IF EXISTS (SELECT * FROM dbo.sysobjects WHERE id = OBJECT_ID(N'[dbo].[GSP_GR_LoadAndroidUser]') AND OBJECTPROPERTY(id, N'IsProcedure') = 1)
DROP PROCEDURE [dbo].[GSP_GR_LoadAndroidUser]
GO

-- 加载机器：房间的机器用户
CREATE PROCEDURE GSP_GR_LoadAndroidUser
	@wServerID INT
WITH ENCRYPTION AS

SET NOCOUNT ON

SELECT UserID FROM AndroidUserInfo WHERE ServerID = @wServerID AND Nullity = 0

RETURN 0
GO
