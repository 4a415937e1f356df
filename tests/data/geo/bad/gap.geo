t orient
  X  Y  Z
  1  6  0.0  0.0  0.0
  3  1  1.0  0.0  0.0
