(setq startup (strcat "from " (getvar "DWGNAME")))
(defun c:hello () (princ "hello") (princ))
