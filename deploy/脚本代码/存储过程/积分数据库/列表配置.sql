USE QPGameScoreDB
GO

SET QUOTED_IDENTIFIER ON
GO
SET ANSI_NULLS ON
GO

IF EXISTS (SELECT * FROM dbo.sysobjects WHERE id = OBJECT_ID(N'[dbo].[GSP_GR_ColumnItem]') AND OBJECTPROPERTY(id, N'IsProcedure') = 1)
DROP PROCEDURE [dbo].[GSP_GR_ColumnItem]
GO

-- 列表配置：用户列表的列宽
CREATE PROCEDURE GSP_GR_ColumnItem
WITH ENCRYPTION AS

SET NOCOUNT ON

SELECT SortID, ColumnName, ColumnWidth FROM GameColumnItem ORDER BY SortID

RETURN 0
GO
