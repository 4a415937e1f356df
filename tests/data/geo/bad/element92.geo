t orient
  X  Y  Z
  1  92  0.0  0.0  0.0
