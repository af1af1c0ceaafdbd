# The encryption page's steps that both end-to-end tests take, sourced by them after they have defined
# click X Y W H (the centre of the page control at those dialog units) and expect_clipboard TEXT.

click 47 22 219 14 # input box
xdotool type --delay 20 "1.2.3.4"
click 150 104 56 10 # IP地址运算
click 75 148 60 17  # 加密
click 275 48 33 17  # 复制
expect_clipboard 67305985

click 224 104 56 10 # 版本号运算
click 75 148 60 17
click 275 48 33 17
expect_clipboard 16909060

# The XOR text of a fresh run is fixed: the generator starts at 1 in every run.
click 47 22 219 14
xdotool key ctrl+a
xdotool type --delay 20 "abc"
click 26 104 44 10 # XOR运算
click 75 148 60 17
click 275 48 33 17
expect_clipboard 000300620029004B4823484018BE6A1067840ED64AE115713D6C2B252CD64127

# Paste it back and decode.
click 275 20 33 17  # 粘贴
click 160 148 60 17 # 解密
click 275 48 33 17
expect_clipboard abc

# Back into the input box, where the next Esc goes.
click 47 22 219 14
