@echo off
Rem 一键安装平台数据库
Rem 请在数据库服务器上以管理员身份运行，运行前确认 SQL Server 服务已启动

set rootPath=数据库脚本\
osql -E -i "%rootPath%1_1_用户库脚本.sql"
osql -E -i "%rootPath%1_2_平台库脚本.sql"
osql -E -i "%rootPath%1_3_金币库脚本.sql"
osql -E -i "%rootPath%1_4_记录库脚本.sql"

osql -E -i "%rootPath%2_1_用户库脚本.sql"
osql -E -i "%rootPath%2_2_平台库脚本.sql"
osql -E -i "%rootPath%2_3_金币库脚本.sql"
osql -E -i "%rootPath%2_4_记录库脚本.sql"

Rem 建连接服务和填充数据
set rootPath=数据脚本\
osql -E -i "%rootPath%连接服务.sql"
osql -E -i "%rootPath%游戏列表.sql"
osql -E -i "%rootPath%系统配置.sql"

pause
