% KORVEXVAL  Model functions and their forward finite differences (MEX module).
%
%   f = korvexval(1, model, x)            first component of F(x), 1-by-1
%   y = korvexval(2, model, x)            F(x) with m = n components, n-by-1
%   y = korvexval(2, model, x, m)         the first m components of F(x), m-by-1
%   [y, D] = korvexval(3, model, x, V, m, h)
%       y = F(x) (m-by-1) and the forward differences along the columns of V:
%       D(:,k) = (F(x + h(k)*V(:,k)) - F(x)) / h(k), an m-by-p matrix
%   H = korvexval(4, model, x, V, h)
%       Hessian-times-direction products of the first component f of F:
%       H(:,k) = (g(x + h(k)*V(:,k)) - g(x)) / h(k), an n-by-p matrix, where g is the
%       forward-difference gradient of f with the fixed step 1e-05
%
%   model 1:  F(x)(1) = 3*x(1)^2 + x(2)^2 + ... + x(m)^2,  F(x)(i) = x(1)^2 + x(i)^2
%   model 2:  F(x)(i) = x(i)^6 (the translated model function)
%
%   n is the number of rows of x (services 1 and 2) or of V (services 3 and 4); V is n-by-p
%   and h holds one step per column of V. x must hold at least n values, h at least p, and
%   0 <= m <= n. Scalar arguments are truncated toward zero; only real parts are read.
%   Optional extra data for the model may follow as the last argument: korvexval(1, model,
%   x, extra), korvexval(2, model, x, m, extra), korvexval(4, model, x, V, h, extra).
%   Any other service number returns nothing.
%
%   Example:
%     korvexval(2, 1, [1; 2; 3])                      % returns [16; 5; 10]
%     [y, D] = korvexval(3, 1, [2; -1], eye(2), 2, [1e-6 1e-6])
