USE QPGameScoreDB
GO

SET QUOTED_IDENTIFIER ON
GO
SET ANSI_NULLS ON
GO

IF EXISTS (SELECT * FROM dbo.sysobjects WHERE id = OBJECT_ID(N'[dbo].[GSP_GR_LoadSystemMessage]') AND OBJECTPROPERTY(id, N'IsProcedure') = 1)
DROP PROCEDURE [dbo].[GSP_GR_LoadSystemMessage]
GO

-- 加载消息：房间的系统消息
CREATE PROCEDURE GSP_GR_LoadSystemMessage
	@wServerID INT
WITH ENCRYPTION AS

SET NOCOUNT ON

SELECT MessageID, MessageString FROM SystemMessage
WHERE (ServerID = @wServerID OR ServerID = 0) AND Nullity = 0
ORDER BY MessageID

RETURN 0
GO
