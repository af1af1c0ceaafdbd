USE QPGameScoreDB
GO

SET QUOTED_IDENTIFIER ON
GO
SET ANSI_NULLS ON
GO

IF EXISTS (SELECT * FROM dbo.sysobjects WHERE id = OBJECT_ID(N'[dbo].[GSP_GR_ColumnDescribe]') AND OBJECTPROPERTY(id, N'IsProcedure') = 1)
DROP PROCEDURE [dbo].[GSP_GR_ColumnDescribe]
GO

-- 列表描述：用户列表各列的含义
CREATE PROCEDURE GSP_GR_ColumnDescribe
WITH ENCRYPTION AS

SET NOCOUNT ON

SELECT SortID, ColumnName, DataDescribe FROM QPGameScoreDB.dbo.GameColumnItem ORDER BY SortID

RETURN 0
GO
