; a routine
(setq n (* n 5))
(defun twice (x) (* 2 x))
(princ "loaded ")
(undefined)
(princ "and on")
