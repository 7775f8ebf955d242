# The safe's chalked recipe as a pointer path: gripped at twelve o'clock 150 units from the dial's
# centre (296,314) and turned one number (3.6 degrees) a point: right 24, left 70, right 15, left 48.
#   safe_dial_path(<out>): out is the list of "x y" points after the grip, in the reference frame.
set(SAFE_TURNS "76 1" "46 -1" "55 1" "33 -1")  # steps and sense of each turn (1: clockwise, down)

function(safe_dial_path out)
  # Unit vectors scaled by 1e9, rotated by cos/sin of 3.6 degrees (integer arithmetic only).
  set(c 998026728)
  set(s 62790520)
  set(ux 0)
  set(uy -1000000000)
  set(path)
  foreach(turn ${SAFE_TURNS})
    separate_arguments(turn)
    list(GET turn 0 steps)
    list(GET turn 1 sense)
    foreach(k RANGE 1 ${steps})
      math(EXPR nx "(${ux} * ${c} - ${sense} * ${uy} * ${s}) / 1000000000")
      math(EXPR ny "(${uy} * ${c} + ${sense} * ${ux} * ${s}) / 1000000000")
      set(ux ${nx})
      set(uy ${ny})
      math(EXPR px "296 + (${ux} * 150 + 500000000) / 1000000000")
      math(EXPR py "314 + (${uy} * 150 + 500000000) / 1000000000")
      list(APPEND path "${px} ${py}")
    endforeach()
  endforeach()
  set(${out} "${path}" PARENT_SCOPE)
endfunction()
