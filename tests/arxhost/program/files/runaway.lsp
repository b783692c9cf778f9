(defun down (n) (down (1+ n)))
(down 0)
(princ "|after")
