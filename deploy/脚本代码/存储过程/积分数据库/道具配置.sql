USE QPGameScoreDB
GO

SET QUOTED_IDENTIFIER ON
GO
SET ANSI_NULLS ON
GO

IF EXISTS (SELECT * FROM dbo.sysobjects WHERE id = OBJECT_ID(N'[dbo].[GSP_GR_LoadPropertyConfig]') AND OBJECTPROPERTY(id, N'IsProcedure') = 1)
DROP PROCEDURE [dbo].[GSP_GR_LoadPropertyConfig]
GO

-- 道具配置：加载可用道具
CREATE PROCEDURE GSP_GR_LoadPropertyConfig
WITH ENCRYPTION AS

SET NOCOUNT ON

SELECT PropertyID, PropertyName, Price FROM QPGameScoreDB.dbo.GameProperty WHERE Nullity = 0

RETURN 0
GO
